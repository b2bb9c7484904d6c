#include "CommandLine.h"
#include "Commands.h"
#include "Console.h"
#include "document/ElementTable.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "render/AreaOutlines.h"
#include "render/PreviewRenderer.h"
#include "util/AppError.h"
#include "util/UserFile.h"

#include <QDir>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString reasonText(Preview::LeftOutReason reason)
{
    switch (reason) {
    case Preview::LeftOutReason::Unreadable:
        return u"its picture cannot be decoded"_s;
    case Preview::LeftOutReason::BadHeader:
        return u"its header cannot be read"_s;
    case Preview::LeftOutReason::BadColour:
        return u"its transparency colour is no #RRGGBB"_s;
    }
    return {};
}

// Writes the picture as PNG in one step: an existing file is replaced only
// by a complete picture.
bool writePng(const QImage &image, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        *error = writer.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

// Whether target is the skin file or a picture the skin names, under any
// name: writing the PNG there would destroy an input.
bool isInput(const QString &target, const QString &wmsPath, clsFileControl &document)
{
    const std::optional<UserFile::Identity> output = UserFile::identity(target);
    if (!output) {
        return false; // a new file
    }
    QStringList inputs{wmsPath};
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        const clsElement &record = *document.getElement(slot);
        inputs << record.getUpimage() << record.getDownimage() << record.getHoverimage();
    }
    return std::any_of(inputs.cbegin(), inputs.cend(),
                       [&](const QString &input) { return UserFile::identity(input) == output; });
}

} // namespace

// Draws the skin as the editor's preview does, from the skin file alone: the
// elements present in the file take the place of the switched-on sections.
int runRender(const QStringList &arguments, const CommandOptions &options, Console &console)
{
    const QString wmsPath = skinFileArgument(arguments.at(0), console);
    if (wmsPath.isEmpty()) {
        return CommandLine::Failure;
    }
    const QString target = arguments.at(1);
    ConsoleMessageSink messages(console.err());
    clsFileControl document(messages);
    if (!document.readFile(wmsPath)) {
        return CommandLine::Failure;
    }
    if (isInput(target, wmsPath, document)) {
        console.err() << u"velmora: "_s << target
                      << u" is the skin file or one of its pictures; give another output file\n"_s;
        return CommandLine::Usage;
    }
    try {
        Preview::Rendering rendering = Preview::renderPreview(
            document, Preview::PanelState::fromDocument(document), options.render);
        for (const Preview::LeftOut &entry : rendering.leftOut) {
            console.err() << u"velmora: "_s << elementSlot(entry.slot).tag << u' '
                          << QDir::toNativeSeparators(entry.image) << u" left out: "_s
                          << reasonText(entry.reason) << u'\n';
        }
        if (rendering.canvas.isNull()) {
            console.err() << u"velmora: "_s << wmsPath
                          << u": its background picture is missing or cannot be decoded\n"_s;
            return CommandLine::Failure;
        }
        if (options.outlines) {
            QPainter painter(&rendering.canvas);
            for (const Preview::Area &area : Preview::pictureLessAreas(document)) {
                Preview::drawAreaOutline(painter, area);
            }
        }
        QString error;
        if (!writePng(rendering.canvas, target, &error)) {
            console.err() << u"velmora: cannot write "_s << target << u": "_s << error << u'\n';
            return CommandLine::Failure;
        }
        return CommandLine::Success;
    } catch (const AppError &) {
        console.err() << u"velmora: "_s << wmsPath << u": names a path no file system can hold\n"_s;
        return CommandLine::Failure;
    }
}
