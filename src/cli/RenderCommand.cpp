#include "CommandLine.h"
#include "CommandSkin.h"
#include "Commands.h"
#include "Console.h"
#include "document/ElementTable.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "render/AreaOutlines.h"
#include "render/PreviewRenderer.h"
#include "util/AppError.h"
#include "util/DiskFull.h"
#include "util/SkinFolder.h"
#include "util/UserFile.h"
#include "util/clsFunction.h"
#include "wms/WmsFields.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Why a picture the skin names cannot be drawn.
QString openFailure(const QString &path)
{
    return UserFile::refusalText(UserFile::refusal(path).value_or(UserFile::Refusal::Other));
}

QString reasonText(const Preview::LeftOut &entry)
{
    switch (entry.reason) {
    case Preview::LeftOutReason::Unopenable:
        return openFailure(entry.image);
    case Preview::LeftOutReason::Undecodable:
        return u"画像として読み込めません"_s;
    case Preview::LeftOutReason::OutsideLink:
        return SkinFolder::refusalText();
    case Preview::LeftOutReason::BadHeader:
        return u"ヘッダーから大きさが分かりません"_s;
    case Preview::LeftOutReason::BadColour:
        return u"透過色が #RRGGBB ではありません"_s;
    case Preview::LeftOutReason::BadPlace:
        return u"LEFT か TOP が 0 から %1 までの整数ではありません"_s.arg(WmsFields::kMaxPlace);
    }
    return {};
}

// Why the PNG could not be written, by what the system and the folder say.
QString writeFailure(const QSaveFile &file, const QString &target)
{
    const QFileInfo folder(QFileInfo(target).absolutePath());
    if (isDiskFull(file)) {
        return u"ディスクの空き容量が不足しています：%1"_s.arg(target);
    }
    if (!folder.isDir()) {
        return u"保存先のフォルダが見つかりません：%1"_s.arg(
            QDir::toNativeSeparators(folder.filePath()));
    }
    if (!folder.isWritable()) {
        return u"保存先のフォルダに書き込めません：%1"_s.arg(
            QDir::toNativeSeparators(folder.filePath()));
    }
    return u"PNGファイルを書き込めません（%1）：%2"_s.arg(file.errorString(), target);
}

// Writes the picture as PNG in one step: an existing file is replaced only
// by a complete picture. The reason on failure.
std::optional<QString> writePng(const QImage &image, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return writeFailure(file, path);
    }
    QImageWriter writer(&file, "png");
    // The explicit flush: QSaveFile forgets a write error met while commit()
    // flushes, and would put an empty file in place.
    if (!writer.write(image) || !file.flush()) {
        // The writer keeps its own text; the device tells a full disk.
        const QString reason = writeFailure(file, path);
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) {
        return writeFailure(file, path);
    }
    return std::nullopt;
}

// Whether target is the file given (a WMS or WMZ file), the skin file read
// or a picture the skin names, under any name: writing the PNG there would
// destroy an input.
bool isInput(const QString &target, const QString &given, const QString &wmsPath,
             clsFileControl &document)
{
    const std::optional<UserFile::Identity> output = UserFile::identity(target);
    if (!output) {
        return false; // a new file
    }
    QStringList inputs{given, wmsPath};
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        const clsElement &record = *document.getElement(slot);
        inputs << record.getUpimage() << record.getDownimage() << record.getHoverimage();
    }
    return std::any_of(inputs.cbegin(), inputs.cend(),
                       [&](const QString &input) { return UserFile::identity(input) == output; });
}

struct Warning {
    qint16 slot;
    QString image;
    QString reason;
};

// The picture the look asks of an element besides its first: a button's
// hover or pressed image, a slider's background; none where it asks none.
QString otherPicture(const clsElement &record, ElementFamily family,
                     const Preview::RenderOptions &options)
{
    if (family == ElementFamily::Button) {
        return options.look == Preview::ButtonLook::Hover     ? record.getHoverimage()
               : options.look == Preview::ButtonLook::Pressed ? record.getDownimage()
                                                              : QString();
    }
    return family == ElementFamily::Slider && options.sliderBackgrounds ? record.getHoverimage()
                                                                        : QString();
}

// What the picture leaves out: elements whose picture file is not there
// (which the editor's preview passes over without a word, drawing a button's
// first look for a missing other one) and those the renderer could not draw.
std::vector<Warning> leftOut(const clsFileControl &document, const Preview::PanelState &state,
                             const Preview::RenderOptions &options,
                             const Preview::Rendering &rendering)
{
    std::vector<Warning> warnings;
    const auto missing = [&](qint16 slot, const QString &image) {
        if (!image.isEmpty() && !clsFunction::VerifyFile(image)) {
            warnings.push_back({slot, image, openFailure(image)});
        }
    };
    for (const Preview::PanelElement &element : state.elements) {
        if (!element.switchedOn) {
            continue;
        }
        missing(element.slot, element.imageField);
        missing(element.slot, otherPicture(*document.getElement(element.slot),
                                           elementSlot(element.slot).family, options));
    }
    for (const Preview::LeftOut &entry : rendering.leftOut) {
        warnings.push_back({entry.slot, entry.image, reasonText(entry)});
    }
    return warnings;
}

} // namespace

// Draws the skin as the editor's preview does, from the skin file alone: the
// elements present in the file take the place of the switched-on sections.
int runRender(const QByteArrayList &files, const CommandOptions &options, Console &console)
{
    const QString skinPath = skinFileArgument(files.at(0), console);
    if (skinPath.isEmpty()) {
        return CommandLine::Failure;
    }
    const std::optional<QString> target = fileArgumentPath(files.at(1), FileUse::Written, console);
    if (!target) {
        return CommandLine::Failure;
    }
    const QString shownTarget = terminalText(shownArgument(files.at(1)));
    if (UserFile::isSpecial(*target)) {
        console.err() << u"velmora: "_s << shownTarget
                      << u": 通常のファイルではありません。別の出力ファイルを指定してください\n"_s;
        return CommandLine::Usage;
    }
    ConsoleMessageSink messages(console.err());
    const std::unique_ptr<CommandSkin> skin = CommandSkin::open(skinPath, messages);
    if (!skin) {
        return CommandLine::Failure;
    }
    const QString &wmsPath = skin->wmsPath();
    clsFileControl document(messages);
    if (!document.readFile(wmsPath)) {
        return CommandLine::Failure;
    }
    if (isInput(*target, skinPath, wmsPath, document)) {
        console.err() << u"velmora: "_s << shownTarget
                      << u": スキンファイルかその画像です。別の出力ファイルを指定してください\n"_s;
        return CommandLine::Usage;
    }
    try {
        const Preview::PanelState state = Preview::PanelState::fromDocument(document);
        Preview::Rendering rendering = Preview::renderPreview(document, state, options.render);
        if (rendering.canvas.isNull()) {
            const QString background = document.getElement(Slot::View)->getUpimage();
            const QString reason = background.isEmpty() ? u"指定されていません"_s
                                   : UserFile::refusal(background) ? openFailure(background)
                                   : SkinFolder::linksOutside(background)
                                       ? SkinFolder::refusalText()
                                       : u"画像として読み込めません"_s;
            console.err() << terminalText(u"velmora: "_s + skin->shown(wmsPath) +
                                          u": 背景画像を描けません（"_s + reason + u"）："_s +
                                          skin->shown(QDir::toNativeSeparators(background)))
                          << u'\n';
            return CommandLine::Failure;
        }
        const std::vector<Warning> warnings = leftOut(document, state, options.render, rendering);
        // Without --strict the picture is drawn all the same, without them.
        for (const Warning &warning : warnings) {
            console.err() << terminalText(u"velmora: "_s + (options.strict ? u""_s : u"警告: "_s) +
                                          elementSlot(warning.slot).tag.toString() + u' ' +
                                          skin->shown(QDir::toNativeSeparators(warning.image)) +
                                          u": "_s + warning.reason +
                                          (options.strict ? u""_s : u"。描画から外しました"_s))
                          << u'\n';
        }
        if (options.strict && !warnings.empty()) {
            return CommandLine::Failure;
        }
        if (options.outlines) {
            QPainter painter(&rendering.canvas);
            for (const Preview::Area &area : Preview::pictureLessAreas(document)) {
                Preview::drawAreaOutline(painter, area);
            }
        }
        if (const std::optional<QString> failure = writePng(rendering.canvas, *target)) {
            console.err() << terminalText(u"velmora: "_s + shownPath(*failure)) << u'\n';
            return CommandLine::Failure;
        }
        return CommandLine::Success;
    } catch (const AppError &) {
        console.err() << terminalText(u"velmora: "_s + skin->shown(wmsPath) +
                                      u": どのファイルシステムにも置けないパスを含んでいます"_s)
                      << u'\n';
        return CommandLine::Failure;
    }
}
