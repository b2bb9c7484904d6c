#include "PanelRoles.h"

#include "editor/panels/LayoutTables.h"
#include "editor/panels/PanelControls.h"
#include "editor/panels/SectionTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

using Sections::Section;

enum class Array { Text1, Check1, Check2, Combo1, Label2, Choice, Opaque };

// One kind of value in a section: where the table keeps its control index
// and what a step that changes it is called. Rows with a kind apply only to
// sections of that kind.
struct Row {
    Array array;
    qint16 (*index)(const Section &);
    QStringView caption;
    std::optional<ElementFamily> kind = std::nullopt;
};

// clang-format off
constexpr Row kRows[] = {
    {Array::Text1, [](const Section &s) { return s.title; }, u"タイトル"},
    {Array::Text1, [](const Section &s) { return s.author; }, u"作者"},
    {Array::Text1, [](const Section &s) { return s.copyright; }, u"著作権"},
    {Array::Text1, [](const Section &s) { return s.image.text; }, u"背景画像", ElementFamily::View},
    {Array::Text1, [](const Section &s) { return s.image.text; }, u"通常の画像", ElementFamily::Button},
    {Array::Text1, [](const Section &s) { return s.image.text; }, u"スライドボタンの画像", ElementFamily::Slider},
    {Array::Text1, [](const Section &s) { return s.pressed.text; }, u"クリックした時の画像"},
    {Array::Text1, [](const Section &s) { return s.hover.text; }, u"カーソルが上にきた時の画像"},
    {Array::Text1, [](const Section &s) { return s.background.text; }, u"スライダーの背景画像"},
    {Array::Text1, [](const Section &s) { return s.top; }, u"TOP"},
    {Array::Text1, [](const Section &s) { return s.left; }, u"LEFT"},
    {Array::Text1, [](const Section &s) { return s.height; }, u"高さ"},
    {Array::Text1, [](const Section &s) { return s.width; }, u"幅"},
    {Array::Check1, [](const Section &s) { return s.pressed.box; }, u"クリックした時のチェック"},
    {Array::Check1, [](const Section &s) { return s.hover.box; }, u"カーソルが上にきた時のチェック"},
    {Array::Check1, [](const Section &s) { return s.background.box; }, u"スライダーの背景画像のチェック"},
    {Array::Check2, [](const Section &s) { return s.check2; }, u"チェック"},
    {Array::Label2, [](const Section &s) { return s.transparency; }, u"透過色"},
    {Array::Label2, [](const Section &s) { return s.foreColor; }, u"文字色"},
    {Array::Label2, [](const Section &s) { return s.backColor; }, u"背景色"},
    {Array::Choice, [](const Section &s) { return s.choice.on; }, u"タイトルバー", ElementFamily::View},
    {Array::Choice, [](const Section &s) { return s.choice.on; }, u"スライダーの向き", ElementFamily::Slider},
    {Array::Choice, [](const Section &s) { return s.choice.on; }, u"ドロップダウンリストの表示", ElementFamily::Playlist},
    {Array::Choice, [](const Section &s) { return s.choice.on; }, u"スクロール", ElementFamily::TrackName},
    {Array::Opaque, [](const Section &s) { return s.opaque.on; }, u"背景の透過"},
    {Array::Combo1, [](const Section &s) { return s.fontSize; }, u"文字の大きさ"},
    {Array::Combo1, [](const Section &s) { return s.scrollSpeed; }, u"スクロールの速さ"},
};
// clang-format on

template <typename T> QWidget *item(std::span<T *const> controls, qint16 index)
{
    return controls[static_cast<std::size_t>(index)];
}

Control controlOf(const PanelControls &controls, const Section &section, Array array, qint16 index)
{
    const auto option = [&](qint16 i) { return controls.Option1[static_cast<std::size_t>(i)]; };
    switch (array) {
    case Array::Text1:
        return {item(controls.Text1, index)};
    case Array::Check1:
        return {item(controls.Check1, index)};
    case Array::Check2:
        return {item(controls.Check2, index)};
    case Array::Combo1:
        return {item(controls.Combo1, index)};
    case Array::Label2:
        return {item(controls.Label2, index)};
    case Array::Choice:
        return {option(index), option(section.choice.off)};
    case Array::Opaque:
        return {option(index), option(section.opaque.off)};
    }
    return {};
}

} // namespace

std::vector<PanelRole> panelRoles(const PanelControls &controls)
{
    std::vector<PanelRole> roles;
    for (const Section &section : Sections::kSections) {
        for (const Row &row : kRows) {
            const qint16 index = row.index(section);
            if (index == Sections::kNone || (row.kind && *row.kind != section.family())) {
                continue;
            }
            roles.push_back(
                {controlOf(controls, section, row.array, index), &section, row.caption.toString()});
        }
    }
    return roles;
}

// Play, stop and close have a caption of their own; the other sections are
// headed by the box that switches them.
QString sectionName(const Section &section)
{
    return section.check2 == Sections::kNone
               ? Layout::kFrames.at(std::size_t(section.frame)).caption.toString()
               : Layout::kCheck2Headings.at(std::size_t(section.check2)).caption.toString();
}

// The theme's fields are named by themselves: its frame is captioned like its first field.
QString stepText(const PanelRole &role)
{
    const QString what = role.section->family() == ElementFamily::Theme
                             ? role.caption
                             : sectionName(*role.section) + u'の' + role.caption;
    return what + u"の変更"_s;
}
