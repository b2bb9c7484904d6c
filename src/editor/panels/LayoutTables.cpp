#include "LayoutTables.h"

namespace Layout {

using Sections::kPlaylist;
using Sections::kTheme;
using Sections::kTrackName;
using Sections::kVideo;
using Sections::kView;

// Borderless groups of the track-name frame, holding one choice each.
constexpr int kTrackScrollGroup = 18;
constexpr int kTrackBackGroup = 19;

const std::array<FrameRow, kFrame1Count> kFrames{{
    {panel(0), {225, 675, 8565, 1575}, u"タイトル", false},
    {panel(0), {210, 2385, 8595, 1335}, u"背景画像", false},
    {panel(1), {225, 675, 8715, 1590}, u"PLAYボタン", false},
    {panel(1), {225, 2287, 8715, 1590}, u"STOPボタン", false},
    {panel(1), {225, 3899, 8715, 1590}, u"CLOSEボタン", false},
    {panel(1), {225, 5511, 8715, 1590}, {}, false},
    {panel(1), {225, 7125, 8715, 1590}, {}, false},
    {panel(2), {225, 7125, 8715, 1590}, {}, false},
    {panel(2), {225, 5511, 8715, 1590}, {}, false},
    {panel(2), {225, 3899, 8715, 1590}, {}, false},
    {panel(2), {225, 2287, 8715, 1590}, {}, false},
    {panel(2), {225, 675, 8715, 1590}, {}, false},
    {panel(3), {225, 675, 8715, 1740}, {}, false},
    {panel(3), {225, 2527, 8715, 1740}, {}, false},
    {panel(3), {225, 4380, 8715, 1740}, {}, false},
    {panel(4), {225, 675, 8715, 1770}, {}, false},
    {panel(4), {225, 2700, 8715, 1770}, {}, false},
    {panel(5), {225, 675, 8715, 1155}, {}, false},
    {frame(kTrackName.frame), {3990, 1020, 4545, 240}, {}, true},
    {frame(kTrackName.frame), {3990, 690, 4545, 240}, {}, true},
}};

const std::array<Check2Row, kCheck2Count> kCheck2Headings{{
    {u"FFWDボタン", 1500},
    {u"REWボタン", 1425},
    {u"フルモード切替ボタン", 2100},
    {u"最小化ボタン", 1500},
    {u"一時停止ボタン", 1650},
    {u"リピートボタン", 1650},
    {u"シャッフルボタン", 1800},
    {u"SEEKバー(演奏経過)", 2025},
    {u"音量調節", 1200},
    {u"スピーカーバランス", 1950},
    {u"プレイリスト", 1500},
    {u"演奏中トラック表示", 1950},
    {u"ビデオ＆エフェクト", 1950},
}};

namespace {

enum class Kind { Caption, Text, NumberText, Browse, Option, Swatch, List };

// One control placed outside the button and slider frames.
struct FixedRow {
    Kind kind;
    int index; // -1 for captions, numbered in order of appearance
    Holder holder;
    Box box;
    QStringView caption;
};

constexpr int kSwatchWidth = 840;
constexpr int kFieldHeight = 270;
constexpr int kBrowseWidth = 390;
constexpr int kBrowseHeight = 255;
constexpr int kNumberWidth = 840;
constexpr int kPathWidth = 5745;
constexpr int kOptionHeight = 195;
constexpr QStringView kBrowseCaption = u"・・";

// Panels 0, 4 and 5.
// Where the window's design gives a caption no width, it reaches to the
// control beside it.
constexpr Holder inTheme = frame(kTheme.frame);
constexpr Holder inView = frame(kView.frame);
constexpr Holder inPlaylist = frame(kPlaylist.frame);
constexpr Holder inTrackName = frame(kTrackName.frame);
constexpr Holder inTrackBack = frame(kTrackBackGroup);
constexpr Holder inTrackScroll = frame(kTrackScrollGroup);
constexpr Holder inVideo = frame(kVideo.frame);

// clang-format off
const FixedRow kFixedRows[] = {
    {Kind::Caption, -1, inTheme, {120, 360, 750, 240}, u"タイトル"},
    {Kind::Caption, -1, inTheme, {120, 750, 750, 240}, u"作者"},
    {Kind::Caption, -1, inTheme, {120, 1140, 750, 240}, u"著作権"},
    {Kind::Text, kTheme.title, inTheme, {1230, 285, 7185, kFieldHeight}, {}},
    {Kind::Text, kTheme.author, inTheme, {1230, 675, 7185, kFieldHeight}, {}},
    {Kind::Text, kTheme.copyright, inTheme, {1230, 1065, 7185, kFieldHeight}, {}},

    {Kind::Caption, -1, inView, {120, 360, 1080, 240}, u"背景画像"},
    {Kind::Text, kView.image.text, inView, {1245, 285, 6780, kFieldHeight}, {}},
    {Kind::Browse, kView.image.browse, inView, {8040, 300, kBrowseWidth, kBrowseHeight},
     kBrowseCaption},
    {Kind::Caption, -1, inView, {135, 810, 1200, 240}, u"タイトルバー"},
    {Kind::Option, kView.choice.off, inView, {1395, 810, 1230, kOptionHeight}, u"表示しない"},
    {Kind::Option, kView.choice.on, inView, {2745, 810, 1230, kOptionHeight}, u"表示する"},
    {Kind::Caption, -1, inView, {4335, 810, 660, 240}, u"透過色"},
    {Kind::Swatch, kView.transparency, inView, {5010, 765, kSwatchWidth, kFieldHeight}, {}},

    {Kind::Caption, -1, inPlaylist, {240, 375, 600, 240}, u"TOP"},
    {Kind::NumberText, kPlaylist.top, inPlaylist, {840, 315, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, inPlaylist, {1950, 375, 525, 240}, u"LEFT"},
    {Kind::NumberText, kPlaylist.left, inPlaylist, {2475, 315, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, inPlaylist, {240, 720, 600, 240}, u"高さ"},
    {Kind::NumberText, kPlaylist.height, inPlaylist, {840, 660, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, inPlaylist, {1950, 720, 525, 240}, u"幅"},
    {Kind::NumberText, kPlaylist.width, inPlaylist, {2475, 660, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, inPlaylist, {4095, 405, 2160, 240}, u"ドロップダウンリストの表示"},
    {Kind::Option, kPlaylist.choice.on, inPlaylist, {6255, 405, 1080, kOptionHeight}, u"表示する"},
    {Kind::Option, kPlaylist.choice.off, inPlaylist, {7335, 405, 1200, kOptionHeight}, u"表示しない"},
    {Kind::Caption, -1, inPlaylist, {150, 1365, 675, 240}, u"文字色"},
    {Kind::Swatch, kPlaylist.foreColor, inPlaylist, {825, 1320, kSwatchWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, inPlaylist, {1800, 1365, 675, 240}, u"背景色"},
    {Kind::Swatch, kPlaylist.backColor, inPlaylist, {2475, 1320, kSwatchWidth, kFieldHeight}, {}},

    // The track name has a width box but no height box.
    {Kind::Caption, -1, inTrackName, {240, 375, 600, 240}, u"TOP"},
    {Kind::NumberText, kTrackName.top, inTrackName, {840, 315, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, inTrackName, {1950, 375, 525, 240}, u"LEFT"},
    {Kind::NumberText, kTrackName.left, inTrackName, {2475, 315, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, inTrackName, {1950, 720, 525, 240}, u"幅"},
    {Kind::NumberText, kTrackName.width, inTrackName, {2475, 660, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, inTrackName, {4095, 375, 1650, 240}, u"文字の大きさ"},
    {Kind::List, kTrackName.fontSize, inTrackName, {5745, 315, 675, 300}, {}},
    {Kind::Caption, -1, inTrackBack, {105, 15, 1620, 240}, u"背景色"},
    {Kind::Option, kTrackName.opaque.on, inTrackBack, {1725, 15, 1350, kOptionHeight}, u"透過しない"},
    {Kind::Option, kTrackName.opaque.off, inTrackBack, {3075, 15, 1350, kOptionHeight}, u"透過する"},
    {Kind::Caption, -1, inTrackScroll, {105, 15, 1620, 240}, u"スクロール"},
    {Kind::Option, kTrackName.choice.on, inTrackScroll, {1725, 15, 900, kOptionHeight}, u"ON"},
    {Kind::Option, kTrackName.choice.off, inTrackScroll, {2760, 15, 900, kOptionHeight}, u"OFF"},
    {Kind::Caption, -1, inTrackName, {4095, 1350, 1650, 240}, u"スクロールの速さ"},
    {Kind::List, kTrackName.scrollSpeed, inTrackName, {5745, 1290, 675, 300}, {}},
    {Kind::Caption, -1, inTrackName, {150, 1365, 675, 240}, u"文字色"},
    {Kind::Swatch, kTrackName.foreColor, inTrackName, {825, 1320, kSwatchWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, inTrackName, {1800, 1365, 675, 240}, u"背景色"},
    {Kind::Swatch, kTrackName.backColor, inTrackName, {2475, 1320, kSwatchWidth, kFieldHeight}, {}},

    {Kind::Caption, -1, inVideo, {240, 375, 600, 240}, u"TOP"},
    {Kind::NumberText, kVideo.top, inVideo, {840, 315, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, inVideo, {1950, 375, 525, 240}, u"LEFT"},
    {Kind::NumberText, kVideo.left, inVideo, {2475, 315, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, inVideo, {240, 720, 600, 240}, u"高さ"},
    {Kind::NumberText, kVideo.height, inVideo, {840, 660, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, inVideo, {1950, 720, 525, 240}, u"幅"},
    {Kind::NumberText, kVideo.width, inVideo, {2475, 660, kNumberWidth, kFieldHeight}, {}},
};
// clang-format on

template <std::size_t N>
void put(std::array<std::optional<Place>, N> &controls, int index, const Place &place)
{
    controls.at(static_cast<std::size_t>(index)) = place;
}

void placeFixedRow(Plan &plan, const FixedRow &row)
{
    const Place place{row.holder, row.box, row.caption, row.kind == Kind::NumberText};
    switch (row.kind) {
    case Kind::Caption:
        plan.label1.push_back(place);
        break;
    case Kind::Text:
    case Kind::NumberText:
        put(plan.text1, row.index, place);
        break;
    case Kind::Browse:
        put(plan.command2, row.index, place);
        break;
    case Kind::Option:
        put(plan.option1, row.index, place);
        break;
    case Kind::Swatch:
        put(plan.label2, row.index, place);
        break;
    case Kind::List:
        put(plan.combo1, row.index, place);
        break;
    }
}

// One image row of a button or slider frame: path box and browse button at
// the given top; the caption or check box is placed by the caller.
void placeImageRow(Plan &plan, Holder holder, int top, const Sections::ImageField &image)
{
    put(plan.text1, image.text, {holder, {2445, top, kPathWidth, kFieldHeight}, {}});
    put(plan.command2, image.browse,
        {holder, {8205, top + 15, kBrowseWidth, kBrowseHeight}, kBrowseCaption});
}

void placeNumber(Plan &plan, Holder holder, int left, int top, int text)
{
    put(plan.text1, text, {holder, {left, top, kNumberWidth, kFieldHeight}, {}, true});
}

void placeButtonFrame(Plan &plan, const Sections::Section &row)
{
    const Holder h = frame(row.frame);
    plan.label1.push_back({h, {120, 360, 1230, 240}, u"通常の画像"});
    placeImageRow(plan, h, 285, row.image);
    put(plan.check1, row.pressed.box, {h, {120, 615, 1995, 195}, u"クリックした時"});
    placeImageRow(plan, h, 555, row.pressed);
    put(plan.check1, row.hover.box, {h, {120, 885, 1995, 195}, u"カーソルが上にきた時"});
    placeImageRow(plan, h, 825, row.hover);
    plan.label1.push_back({h, {1845, 1215, 480, 240}, u"TOP"});
    plan.label1.push_back({h, {3555, 1215, 480, 240}, u"LEFT"});
    plan.label1.push_back({h, {5280, 1200, 675, 240}, u"透過色"});
    placeNumber(plan, h, 2445, 1155, row.top);
    placeNumber(plan, h, 4080, 1155, row.left);
    put(plan.label2, row.transparency, {h, {5955, 1155, kSwatchWidth, kFieldHeight}, {}});
}

void placeSliderFrame(Plan &plan, const Sections::Section &row)
{
    const Holder h = frame(row.frame);
    plan.label1.push_back({h, {120, 360, 1590, 240}, u"スライドボタンの画像"});
    placeImageRow(plan, h, 285, row.image);
    put(plan.check1, row.background.box, {h, {120, 615, 2025, 195}, u"スライダーの背景画像"});
    placeImageRow(plan, h, 555, row.background);
    plan.label1.push_back({h, {1785, 930, 660, 240}, u"TOP"});
    plan.label1.push_back({h, {3495, 930, 585, 240}, u"LEFT"});
    plan.label1.push_back({h, {5280, 930, 675, 240}, u"透過色"});
    placeNumber(plan, h, 2445, 885, row.top);
    placeNumber(plan, h, 4080, 885, row.left);
    put(plan.label2, row.transparency, {h, {5955, 885, kSwatchWidth, kFieldHeight}, {}});
    plan.label1.push_back({h, {1785, 1305, 660, 240}, u"高さ"});
    plan.label1.push_back({h, {3495, 1305, 585, 240}, u"幅"});
    plan.label1.push_back({h, {5280, 1305, 1335, 240}, u"スライダーの向き"});
    placeNumber(plan, h, 2445, 1260, row.height);
    placeNumber(plan, h, 4080, 1260, row.width);
    put(plan.option1, row.choice.on, {h, {6825, 1320, 675, 210}, u"水平"});
    put(plan.option1, row.choice.off, {h, {7650, 1320, 675, 210}, u"垂直"});
}

void placeCheck2Headings(Plan &plan)
{
    for (std::size_t i = 0; i < kCheck2Headings.size(); ++i) {
        const Check2Row &row = kCheck2Headings[i];
        const int index = static_cast<int>(i);
        const FrameRow &f =
            kFrames.at(static_cast<std::size_t>(Sections::switchedBy(index)->frame));
        // Beside its frame in the same panel, so that greying the frame
        // leaves the box itself usable.
        put(plan.check2, index,
            {f.holder, {kCheck2Left, f.box.top + 15, row.width, kCheck2Height}, row.caption});
    }
}

// The Tags that tie each image field to its browse button and its box.
void linkImageFields(Plan &plan)
{
    for (const Sections::Section &section : Sections::kSections) {
        for (const Sections::ImageField &image : Sections::imageFields(section)) {
            plan.command2.at(static_cast<std::size_t>(image.browse))->tag = image.text;
            if (image.box != Sections::kNone) {
                plan.check1.at(static_cast<std::size_t>(image.box))->tag = image.text;
                plan.text1.at(static_cast<std::size_t>(image.text))->tag = image.browse;
            }
        }
    }
}

} // namespace

Plan makePlan()
{
    Plan plan;
    plan.label1.reserve(kLabel1Count);
    for (const FixedRow &row : kFixedRows) {
        placeFixedRow(plan, row);
    }
    for (const Sections::Section &section : Sections::kSections) {
        if (section.family() == ElementFamily::Button) {
            placeButtonFrame(plan, section);
        } else if (section.family() == ElementFamily::Slider) {
            placeSliderFrame(plan, section);
        }
    }
    placeCheck2Headings(plan);
    linkImageFields(plan);
    return plan;
}

} // namespace Layout
