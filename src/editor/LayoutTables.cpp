#include "LayoutTables.h"

namespace Layout {

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
    {frame(16), {3990, 1020, 4545, 240}, {}, true},
    {frame(16), {3990, 690, 4545, 240}, {}, true},
}};

const std::array<Check2Row, kCheck2Count> kCheck2Headings{{
    {5, u"FFWDボタン", 1500},
    {6, u"REWボタン", 1425},
    {7, u"フルモード切替ボタン", 2100},
    {8, u"最小化ボタン", 1500},
    {11, u"一時停止ボタン", 1650},
    {10, u"リピートボタン", 1650},
    {9, u"シャッフルボタン", 1800},
    {12, u"SEEKバー(演奏経過)", 2025},
    {13, u"音量調節", 1200},
    {14, u"スピーカーバランス", 1950},
    {15, u"プレイリスト", 1500},
    {16, u"演奏中トラック表示", 1950},
    {17, u"ビデオ＆エフェクト", 1950},
}};

// Frames 7 to 10 carry the higher Text1 index on their pressed row.
const std::array<ButtonFrameRow, 10> kButtonFrames{{
    {Slot::PlayButton, 2, -1, 4, 1, 0, 5, 2, 1, 6, 3, 7, 8, 1},
    {Slot::StopButton, 3, -1, 9, 4, 2, 10, 5, 3, 11, 6, 12, 13, 0},
    {Slot::CloseButton, 4, -1, 14, 7, 4, 15, 8, 5, 16, 9, 17, 18, 2},
    {Slot::NextButton, 5, 0, 19, 10, 6, 20, 11, 7, 21, 12, 22, 23, 3},
    {Slot::PrevButton, 6, 1, 24, 13, 8, 25, 14, 9, 26, 15, 27, 28, 4},
    {Slot::PauseButton, 11, 4, 49, 28, 19, 50, 29, 18, 51, 30, 52, 53, 9},
    {Slot::RepeatButton, 10, 5, 48, 27, 16, 47, 26, 17, 46, 25, 45, 44, 8},
    {Slot::ShuffleButton, 9, 6, 43, 24, 14, 42, 23, 15, 41, 22, 40, 39, 7},
    {Slot::MinimizeButton, 8, 3, 38, 21, 12, 37, 20, 13, 36, 19, 35, 34, 6},
    {Slot::ReturnButton, 7, 2, 33, 18, 10, 32, 17, 11, 31, 16, 30, 29, 5},
}};

const std::array<SliderFrameRow, 3> kSliderFrames{{
    {Slot::SeekSlider, 12, 7, 54, 31, 20, 55, 32, 56, 57, 10, 78, 77, 2, 3},
    {Slot::VolumeSlider, 13, 8, 61, 34, 21, 60, 33, 59, 58, 11, 79, 80, 5, 4},
    {Slot::BalanceSlider, 14, 9, 65, 36, 22, 64, 35, 63, 62, 12, 81, 82, 7, 6},
}};

const std::array<int, kCommand2Count> kCommand2Tags{
    3,  4,  5,  6,  9,  10, 11, 14, 15, 16, 19, 20, 21, 24, 25, 26, 31, 32, 33,
    36, 37, 38, 41, 42, 43, 46, 47, 48, 49, 50, 51, 54, 55, 60, 61, 64, 65};

const std::array<int, kCheck1Count> kCheck1Tags{5,  6,  10, 11, 15, 16, 20, 21, 25, 26, 32, 31,
                                                37, 36, 42, 41, 47, 46, 51, 50, 55, 60, 64};

const std::array<Text1TagRow, kCheck1Count> kText1Tags{{
    {5, 2},   {6, 3},   {10, 5},  {11, 6},  {15, 8},  {16, 9},  {20, 11}, {21, 12},
    {25, 14}, {26, 15}, {31, 16}, {32, 17}, {36, 19}, {37, 20}, {41, 22}, {42, 23},
    {46, 25}, {47, 26}, {50, 29}, {51, 30}, {55, 32}, {60, 33}, {64, 35},
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
const FixedRow kFixedRows[] = {
    {Kind::Caption, -1, frame(0), {120, 360, 750, 240}, u"タイトル"},
    {Kind::Caption, -1, frame(0), {120, 750, 750, 240}, u"作者"},
    {Kind::Caption, -1, frame(0), {120, 1140, 750, 240}, u"著作権"},
    {Kind::Text, 0, frame(0), {1230, 285, 7185, kFieldHeight}, {}},
    {Kind::Text, 1, frame(0), {1230, 675, 7185, kFieldHeight}, {}},
    {Kind::Text, 2, frame(0), {1230, 1065, 7185, kFieldHeight}, {}},

    {Kind::Caption, -1, frame(1), {120, 360, 1080, 240}, u"背景画像"},
    {Kind::Text, 3, frame(1), {1245, 285, 6780, kFieldHeight}, {}},
    {Kind::Browse, 0, frame(1), {8040, 300, kBrowseWidth, kBrowseHeight}, kBrowseCaption},
    {Kind::Caption, -1, frame(1), {135, 810, 1200, 240}, u"タイトルバー"},
    {Kind::Option, 0, frame(1), {1395, 810, 1230, kOptionHeight}, u"表示しない"},
    {Kind::Option, 1, frame(1), {2745, 810, 1230, kOptionHeight}, u"表示する"},
    {Kind::Caption, -1, frame(1), {4335, 810, 660, 240}, u"透過色"},
    {Kind::Swatch, 17, frame(1), {5010, 765, kSwatchWidth, kFieldHeight}, {}},

    {Kind::Caption, -1, frame(15), {240, 375, 600, 240}, u"TOP"},
    {Kind::NumberText, 66, frame(15), {840, 315, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, frame(15), {1950, 375, 525, 240}, u"LEFT"},
    {Kind::NumberText, 67, frame(15), {2475, 315, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, frame(15), {240, 720, 600, 240}, u"高さ"},
    {Kind::NumberText, 68, frame(15), {840, 660, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, frame(15), {1950, 720, 525, 240}, u"幅"},
    {Kind::NumberText, 69, frame(15), {2475, 660, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, frame(15), {4095, 405, 2160, 240}, u"ドロップダウンリストの表示"},
    {Kind::Option, 8, frame(15), {6255, 405, 1080, kOptionHeight}, u"表示する"},
    {Kind::Option, 9, frame(15), {7335, 405, 1200, kOptionHeight}, u"表示しない"},
    {Kind::Caption, -1, frame(15), {150, 1365, 675, 240}, u"文字色"},
    {Kind::Swatch, 13, frame(15), {825, 1320, kSwatchWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, frame(15), {1800, 1365, 675, 240}, u"背景色"},
    {Kind::Swatch, 14, frame(15), {2475, 1320, kSwatchWidth, kFieldHeight}, {}},

    // The track name has a width box but no height box.
    {Kind::Caption, -1, frame(16), {240, 375, 600, 240}, u"TOP"},
    {Kind::NumberText, 72, frame(16), {840, 315, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, frame(16), {1950, 375, 525, 240}, u"LEFT"},
    {Kind::NumberText, 71, frame(16), {2475, 315, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, frame(16), {1950, 720, 525, 240}, u"幅"},
    {Kind::NumberText, 70, frame(16), {2475, 660, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, frame(16), {4095, 375, 1650, 240}, u"文字の大きさ"},
    {Kind::List, 0, frame(16), {5745, 315, 675, 300}, {}},
    {Kind::Caption, -1, frame(19), {105, 15, 1620, 240}, u"背景色"},
    {Kind::Option, 12, frame(19), {1725, 15, 1350, kOptionHeight}, u"透過しない"},
    {Kind::Option, 13, frame(19), {3075, 15, 1350, kOptionHeight}, u"透過する"},
    {Kind::Caption, -1, frame(18), {105, 15, 1620, 240}, u"スクロール"},
    {Kind::Option, 10, frame(18), {1725, 15, 900, kOptionHeight}, u"ON"},
    {Kind::Option, 11, frame(18), {2760, 15, 900, kOptionHeight}, u"OFF"},
    {Kind::Caption, -1, frame(16), {4095, 1350, 1650, 240}, u"スクロールの速さ"},
    {Kind::List, 1, frame(16), {5745, 1290, 675, 300}, {}},
    {Kind::Caption, -1, frame(16), {150, 1365, 675, 240}, u"文字色"},
    {Kind::Swatch, 16, frame(16), {825, 1320, kSwatchWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, frame(16), {1800, 1365, 675, 240}, u"背景色"},
    {Kind::Swatch, 15, frame(16), {2475, 1320, kSwatchWidth, kFieldHeight}, {}},

    {Kind::Caption, -1, frame(17), {240, 375, 600, 240}, u"TOP"},
    {Kind::NumberText, 76, frame(17), {840, 315, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, frame(17), {1950, 375, 525, 240}, u"LEFT"},
    {Kind::NumberText, 75, frame(17), {2475, 315, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, frame(17), {240, 720, 600, 240}, u"高さ"},
    {Kind::NumberText, 74, frame(17), {840, 660, kNumberWidth, kFieldHeight}, {}},
    {Kind::Caption, -1, frame(17), {1950, 720, 525, 240}, u"幅"},
    {Kind::NumberText, 73, frame(17), {2475, 660, kNumberWidth, kFieldHeight}, {}},
};

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
void placeImageRow(Plan &plan, Holder holder, int top, int text, int button)
{
    put(plan.text1, text, {holder, {2445, top, kPathWidth, kFieldHeight}, {}});
    put(plan.command2, button,
        {holder, {8205, top + 15, kBrowseWidth, kBrowseHeight}, kBrowseCaption});
}

void placeNumber(Plan &plan, Holder holder, int left, int top, int text)
{
    put(plan.text1, text, {holder, {left, top, kNumberWidth, kFieldHeight}, {}, true});
}

void placeButtonFrame(Plan &plan, const ButtonFrameRow &row)
{
    const Holder h = frame(row.frame);
    plan.label1.push_back({h, {120, 360, 1230, 240}, u"通常の画像"});
    placeImageRow(plan, h, 285, row.upText, row.upButton);
    put(plan.check1, row.downBox, {h, {120, 615, 1995, 195}, u"クリックした時"});
    placeImageRow(plan, h, 555, row.downText, row.downButton);
    put(plan.check1, row.hoverBox, {h, {120, 885, 1995, 195}, u"カーソルが上にきた時"});
    placeImageRow(plan, h, 825, row.hoverText, row.hoverButton);
    plan.label1.push_back({h, {1845, 1215, 480, 240}, u"TOP"});
    plan.label1.push_back({h, {3555, 1215, 480, 240}, u"LEFT"});
    plan.label1.push_back({h, {5280, 1200, 675, 240}, u"透過色"});
    placeNumber(plan, h, 2445, 1155, row.topText);
    placeNumber(plan, h, 4080, 1155, row.leftText);
    put(plan.label2, row.swatch, {h, {5955, 1155, kSwatchWidth, kFieldHeight}, {}});
}

void placeSliderFrame(Plan &plan, const SliderFrameRow &row)
{
    const Holder h = frame(row.frame);
    plan.label1.push_back({h, {120, 360, 1590, 240}, u"スライドボタンの画像"});
    placeImageRow(plan, h, 285, row.upText, row.upButton);
    put(plan.check1, row.backBox, {h, {120, 615, 2025, 195}, u"スライダーの背景画像"});
    placeImageRow(plan, h, 555, row.backText, row.backButton);
    plan.label1.push_back({h, {1785, 930, 660, 240}, u"TOP"});
    plan.label1.push_back({h, {3495, 930, 585, 240}, u"LEFT"});
    plan.label1.push_back({h, {5280, 930, 675, 240}, u"透過色"});
    placeNumber(plan, h, 2445, 885, row.topText);
    placeNumber(plan, h, 4080, 885, row.leftText);
    put(plan.label2, row.swatch, {h, {5955, 885, kSwatchWidth, kFieldHeight}, {}});
    plan.label1.push_back({h, {1785, 1305, 660, 240}, u"高さ"});
    plan.label1.push_back({h, {3495, 1305, 585, 240}, u"幅"});
    plan.label1.push_back({h, {5280, 1305, 1335, 240}, u"スライダーの向き"});
    placeNumber(plan, h, 2445, 1260, row.heightText);
    placeNumber(plan, h, 4080, 1260, row.widthText);
    put(plan.option1, row.horizontalOption, {h, {6825, 1320, 675, 210}, u"水平"});
    put(plan.option1, row.verticalOption, {h, {7650, 1320, 675, 210}, u"垂直"});
}

void placeCheck2Headings(Plan &plan)
{
    for (std::size_t i = 0; i < kCheck2Headings.size(); ++i) {
        const Check2Row &row = kCheck2Headings[i];
        const FrameRow &f = kFrames.at(static_cast<std::size_t>(row.frame));
        // Beside its frame in the same panel, so that greying the frame
        // leaves the box itself usable.
        put(plan.check2, static_cast<int>(i),
            {f.holder, {kCheck2Left, f.box.top + 15, row.width, kCheck2Height}, row.caption});
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
    for (const ButtonFrameRow &row : kButtonFrames) {
        placeButtonFrame(plan, row);
    }
    for (const SliderFrameRow &row : kSliderFrames) {
        placeSliderFrame(plan, row);
    }
    placeCheck2Headings(plan);
    return plan;
}

} // namespace Layout
