#pragma once

#include "document/SectionTable.h"

#include <QStringView>
#include <array>
#include <cstddef>
#include <optional>
#include <vector>

// The main window's layout as data: control arrays with fixed indices, places
// in twips relative to the holding control, captions and the Tag
// cross-references. frmMain builds its widgets from makePlan() in one pass.
namespace Layout {

inline constexpr std::size_t kText1Count = 83;
inline constexpr std::size_t kCommand2Count = 37;
inline constexpr std::size_t kCheck1Count = 23;
inline constexpr std::size_t kCheck2Count = 13;
inline constexpr std::size_t kLabel2Count = 18;
inline constexpr std::size_t kOption1Count = 14;
inline constexpr std::size_t kCombo1Count = 2;
inline constexpr std::size_t kFrame1Count = 20;
inline constexpr std::size_t kPicture2Count = 9;
inline constexpr std::size_t kPanelCount = 7;
inline constexpr std::size_t kImgMenuCount = 10;
inline constexpr std::size_t kEditMenuCount = 7; // imgMenu 0..6; 7..9 are the file set
inline constexpr std::size_t kCmdMenuCount = 2;
inline constexpr std::size_t kImgTitleCount = 6;
inline constexpr std::size_t kLabel1Count = 87;

// The control that holds a field: a panel or a frame.
enum class HolderKind { Panel, Frame };
struct Holder {
    HolderKind kind;
    int index;
    friend constexpr bool operator==(Holder, Holder) = default;
};
constexpr Holder panel(int index)
{
    return {HolderKind::Panel, index};
}
constexpr Holder frame(int index)
{
    return {HolderKind::Frame, index};
}

// Place and size in twips; a zero width or height fits the control to its caption.
struct Box {
    int left;
    int top;
    int width;
    int height;
};

struct Place {
    Holder holder;
    Box box;
    QStringView caption;
    bool number = false; // Text1 only: a TOP, LEFT, height or width box
    // Tag: the Text1 path box a browse button fills or a Check1 box switches;
    // the browse button of an optional path box; -1: none.
    int tag = -1;
};

// Window: outer size set at load, the side strip and the panels.
inline constexpr int kOuterWidth = 11250;
inline constexpr int kOuterHeight = 9730;
// What of the outer size the window's frame takes: the title bar and the
// fixed single-line border, which the window manager adds around the client.
inline constexpr int kBorderTwips = 60;
inline constexpr int kCaptionTwips = 345;
// The client area the window is fixed to.
inline constexpr int kClientWidth = kOuterWidth - 2 * kBorderTwips;
inline constexpr int kClientHeight = kOuterHeight - kCaptionTwips - 2 * kBorderTwips;
inline constexpr Box kPicture1{60, 50, 1815, 8925};
inline constexpr Box kPanelBox{1920, 50, 9150, 8925};
inline constexpr Box kTitleBox{0, 0, 9090, 615};
inline constexpr std::array<Box, 2> kDrawingSurfaces{{{10, 10, 630, 510}, {0, 9015, 630, 510}}};
inline constexpr int kPreviewPanel = 6;
inline constexpr int kPreviewCanvas = 7;
inline constexpr int kPreviewScratch = 8; // below the panel's visible part

struct CmdMenuRow {
    Box box;
    QStringView caption;
};
inline constexpr std::array<CmdMenuRow, kCmdMenuCount> kCmdMenu{{
    {{15, 15, 1725, 345}, u"ファイル"},
    {{15, 360, 1725, 345}, u"編集"},
}};
inline constexpr int kImgMenuLeft = 30;
inline constexpr int kImgMenuWidth = 1695;
inline constexpr int kImgMenuHeight = 1155;
// The file set (7..9) lies on the first three edit buttons.
inline constexpr std::array<int, kImgMenuCount> kImgMenuTops{735,  1890, 3045, 4200, 5355,
                                                             6510, 7665, 735,  1890, 3045};

struct FrameRow {
    Holder holder;
    Box box;
    QStringView caption; // empty where a Check2 box heads the frame
    bool borderless;
};
extern const std::array<FrameRow, kFrame1Count> kFrames;

// The Check2 box that heads its section's frame, standing on its top edge.
struct Check2Row {
    QStringView caption;
    int width; // twips, wide enough for the caption
};
extern const std::array<Check2Row, kCheck2Count> kCheck2Headings;
inline constexpr int kCheck2Left = 345;
inline constexpr int kCheck2Height = 195;

// The whole layout with every array index placed once.
struct Plan {
    std::array<std::optional<Place>, kText1Count> text1;
    std::array<std::optional<Place>, kCommand2Count> command2;
    std::array<std::optional<Place>, kCheck1Count> check1;
    std::array<std::optional<Place>, kCheck2Count> check2;
    std::array<std::optional<Place>, kLabel2Count> label2;
    std::array<std::optional<Place>, kOption1Count> option1;
    std::array<std::optional<Place>, kCombo1Count> combo1;
    std::vector<Place> label1;
};
Plan makePlan();

} // namespace Layout
