// Checks made after the save dialog and before anything is written, of the
// document's values: a picture that would be copied over the skin file
// itself, and texts the skin file's code page cannot hold.
#include "document/SectionTable.h"
#include "document/SkinFields.h"
#include "document/clsFileControl.h"
#include "editor/document/SkinDocument.h"
#include "editor/panels/ControlArray.h"
#include "frmMain.h"
#include "util/AnsiText.h"
#include "util/MessageSink.h"
#include "util/Paths.h"

using namespace Qt::StringLiterals;

namespace {

const QString kTitle = u"ファイルの保存"_s;

// The theme's texts, which the skin file keeps as they are typed.
constexpr qint16 Sections::Section::*kThemeTexts[] = {
    &Sections::Section::title, &Sections::Section::author, &Sections::Section::copyright};

} // namespace

std::vector<frmMain::StoredField> frmMain::storedFields() const
{
    std::vector<StoredField> fields;
    for (const auto text : kThemeTexts) {
        const qint16 field = Sections::kTheme.*text;
        fields.push_back({Sections::kTheme.panel, field,
                          SkinFields::find(SkinFields::text(field))->caption.toString(), false});
    }
    walkUsedFields([&fields](const Sections::Section &section, Sections::Test test, qint16 field) {
        if (test == Sections::Test::Image) {
            fields.push_back(
                {section.panel, field, section.prefix.toString() + u"ファイル名"_s, true});
        }
        return true;
    });
    return fields;
}

// The text of a field as the skin file keeps it: of an image path, the file
// name alone.
QString frmMain::storedText(const StoredField &stored) const
{
    const QString text = m_document->value(SkinFields::text(stored.field));
    return stored.image ? Paths::fileName(text) : text;
}

std::pair<std::vector<frmMain::StoredField>, QStringList> frmMain::storedImages() const
{
    std::vector<StoredField> images;
    QStringList paths;
    for (const StoredField &stored : storedFields()) {
        if (stored.image) {
            images.push_back(stored);
            paths.append(m_document->value(SkinFields::text(stored.field)));
        }
    }
    return {images, paths};
}

bool frmMain::imageLeavesSkinFileIntact(const QString &skinFile)
{
    const auto [images, paths] = storedImages();
    const std::optional<qsizetype> clash = clsFileControl::imageOverSkinFile(paths, skinFile);
    if (!clash) {
        return true;
    }
    const StoredField &image = images.at(static_cast<std::size_t>(*clash));
    m_messages.showMessage(image.name + u"がスキンファイルと同じ名前です。\r\n"_s +
                               u"別の名前の画像ファイルを指定してください。"_s,
                           kTitle, MessageIcon::Exclamation);
    bringFieldForward(image.panel, image.field);
    return false;
}

// Two different pictures of one file name would be one file in the skin's
// folder: the later copy would replace the earlier, and both buttons would
// show it.
bool frmMain::imagesKeepTheirNames(const QString &skinFile)
{
    const auto [images, paths] = storedImages();
    const auto clash = clsFileControl::imagesOfOneName(paths, skinFile);
    if (!clash) {
        return true;
    }
    const StoredField &first = images.at(static_cast<std::size_t>(clash->first));
    const StoredField &second = images.at(static_cast<std::size_t>(clash->second));
    m_messages.showMessage(
        u"%1と%2は、同じ名前「%3」の別の画像ファイルです。\r\n"
        u"スキンのフォルダでは一つのファイルになるため、どちらかに別の名前の画像ファイルを"
        u"指定してください。"_s.arg(first.name, second.name, storedText(second)),
        kTitle, MessageIcon::Exclamation);
    bringFieldForward(second.panel, second.field);
    return false;
}

bool frmMain::textsSurviveOrUserAgrees()
{
    QStringList lines;
    std::optional<StoredField> first;
    for (const StoredField &stored : storedFields()) {
        const QString text = storedText(stored);
        if (const std::optional<QString> kept = AnsiText::changedByEncoding(text)) {
            lines.append(u"%1：「%2」→「%3」"_s.arg(stored.name, text, *kept));
            first = first.value_or(stored);
        }
    }
    if (!first) {
        return true;
    }
    if (m_messages.askYesNo(u"次の項目にはスキンファイルに保存できない文字があります。\r\n"_s +
                                lines.join(u"\r\n"_s) +
                                u"\r\n\r\nこのまま保存しますか？（いいえ：その項目に戻ります）"_s,
                            kTitle)) {
        return true;
    }
    bringFieldForward(first->panel, first->field);
    return false;
}
