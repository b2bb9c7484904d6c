#include "SkinFields.h"

#include <QStringLiteral>
#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace SkinFields {

namespace {

using Sections::Section;

// One kind of value in a section: where the section table keeps its control
// index and its caption. Rows with a family apply only to sections of it.
struct Row {
    Kind kind;
    qint16 (*index)(const Section &);
    QStringView caption;
    std::optional<ElementFamily> family = std::nullopt;
    qint16 (*partner)(const Section &) = nullptr;
};

constexpr auto kChoiceOff = [](const Section &s) { return s.choice.off; };

// clang-format off
constexpr Row kRows[] = {
    {Kind::Text, [](const Section &s) { return s.title; }, u"タイトル"},
    {Kind::Text, [](const Section &s) { return s.author; }, u"作者"},
    {Kind::Text, [](const Section &s) { return s.copyright; }, u"著作権"},
    {Kind::Text, [](const Section &s) { return s.image.text; }, u"背景画像", ElementFamily::View},
    {Kind::Text, [](const Section &s) { return s.image.text; }, u"通常の画像", ElementFamily::Button},
    {Kind::Text, [](const Section &s) { return s.image.text; }, u"スライドボタンの画像", ElementFamily::Slider},
    {Kind::Text, [](const Section &s) { return s.pressed.text; }, u"クリックした時の画像"},
    {Kind::Text, [](const Section &s) { return s.hover.text; }, u"カーソルが上にきた時の画像"},
    {Kind::Text, [](const Section &s) { return s.background.text; }, u"スライダーの背景画像"},
    {Kind::Text, [](const Section &s) { return s.top; }, u"TOP"},
    {Kind::Text, [](const Section &s) { return s.left; }, u"LEFT"},
    {Kind::Text, [](const Section &s) { return s.height; }, u"高さ"},
    {Kind::Text, [](const Section &s) { return s.width; }, u"幅"},
    {Kind::ImageBox, [](const Section &s) { return s.pressed.box; }, u"クリックした時のチェック"},
    {Kind::ImageBox, [](const Section &s) { return s.hover.box; }, u"カーソルが上にきた時のチェック"},
    {Kind::ImageBox, [](const Section &s) { return s.background.box; }, u"スライダーの背景画像のチェック"},
    {Kind::SectionBox, [](const Section &s) { return s.check2; }, u"チェック"},
    {Kind::Colour, [](const Section &s) { return s.transparency; }, u"透過色"},
    {Kind::Colour, [](const Section &s) { return s.foreColor; }, u"文字色"},
    {Kind::Colour, [](const Section &s) { return s.backColor; }, u"背景色"},
    {Kind::Choice, [](const Section &s) { return s.choice.on; }, u"タイトルバー", ElementFamily::View, kChoiceOff},
    {Kind::Choice, [](const Section &s) { return s.choice.on; }, u"スライダーの向き", ElementFamily::Slider, kChoiceOff},
    {Kind::Choice, [](const Section &s) { return s.choice.on; }, u"ドロップダウンリストの表示", ElementFamily::Playlist, kChoiceOff},
    {Kind::Choice, [](const Section &s) { return s.choice.on; }, u"スクロール", ElementFamily::TrackName, kChoiceOff},
    {Kind::Choice, [](const Section &s) { return s.opaque.on; }, u"背景の透過", std::nullopt,
     [](const Section &s) { return s.opaque.off; }},
    {Kind::List, [](const Section &s) { return s.fontSize; }, u"文字の大きさ"},
    {Kind::List, [](const Section &s) { return s.scrollSpeed; }, u"スクロールの速さ"},
};
// clang-format on

std::vector<Field> makeFields()
{
    std::vector<Field> fields;
    for (const Section &section : Sections::kSections) {
        for (const Row &row : kRows) {
            const qint16 index = row.index(section);
            if (index == Sections::kNone || (row.family && *row.family != section.family())) {
                continue;
            }
            fields.push_back({{row.kind, index},
                              &section,
                              row.caption,
                              row.partner ? row.partner(section) : Sections::kNone});
        }
    }
    return fields;
}

QString arrayName(Kind kind)
{
    switch (kind) {
    case Kind::Text:
        return u"Text1"_s;
    case Kind::ImageBox:
        return u"Check1"_s;
    case Kind::SectionBox:
        return u"Check2"_s;
    case Kind::Choice:
        return u"Option1"_s;
    case Kind::Colour:
        return u"Label2"_s;
    case Kind::List:
        return u"Combo1"_s;
    }
    return {};
}

} // namespace

const std::vector<Field> &all()
{
    static const std::vector<Field> fields = makeFields();
    return fields;
}

const Field *find(FieldId id)
{
    const std::vector<Field> &fields = all();
    const auto found =
        std::find_if(fields.cbegin(), fields.cend(), [&](const Field &f) { return f.id == id; });
    return found == fields.cend() ? nullptr : &*found;
}

QString recoveryKey(FieldId id)
{
    return arrayName(id.kind) + u'_' + QString::number(id.index);
}

} // namespace SkinFields
