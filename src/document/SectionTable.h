#pragma once

#include "document/ElementTable.h"

#include <QStringView>
#include <array>
#include <vector>

// The panels' sections, one row each, in panel order: which element a
// section edits and which controls show its properties. Every control index
// of the panels' fields is written here once; the layout's Tags, the copying
// between panels and document, the greying, the field check, the preview and
// the browse and drop targets are all read from these rows.
namespace Sections {

inline constexpr qint16 kNone = -1;

// An image path field (Text1), the "・・" button that fills it (Command2) and
// the Check1 box that switches it on; kNone for box: always on.
struct ImageField {
    qint16 text = kNone;
    qint16 browse = kNone;
    qint16 box = kNone;
};

// The two option buttons of a two-way choice.
struct Choice {
    qint16 on = kNone; // "True"; a slider's "水平"
    qint16 off = kNone;
};

struct Section {
    // Buttons, sliders, ...: the family of the section's element.
    constexpr ElementFamily family() const { return elementSlot(slot).family; }

    qint16 slot;
    qint16 panel;            // picture2 and imgMenu index
    qint16 frame;            // Frame1
    qint16 check2 = kNone;   // switches the whole section; kNone: always present
    QStringView prefix = {}; // starts the field check's messages; empty: not checked

    // Text fields by role.
    ImageField image = {};      // normal image, a slider's thumb, the background
    ImageField pressed = {};    // "クリックした時"
    ImageField hover = {};      // "カーソルが上にきた時"
    ImageField background = {}; // a slider's background
    qint16 top = kNone, left = kNone, height = kNone, width = kNone;
    qint16 title = kNone, author = kNone, copyright = kNone;

    // Colour swatches (Label2).
    qint16 transparency = kNone, foreColor = kNone, backColor = kNone;

    // Option buttons and lists.
    Choice choice = {}; // title bar, slider direction, drop-down list, scrolling
    Choice opaque = {}; // track-name background: a colour, or "none"
    qint16 fontSize = kNone, scrollSpeed = kNone; // Combo1
};

// clang-format off
inline constexpr Section kTheme{.slot = Slot::Theme, .panel = 0, .frame = 0,
    .title = 0, .author = 1, .copyright = 2};

inline constexpr Section kView{.slot = Slot::View, .panel = 0, .frame = 1,
    .prefix = u"背景画像の", .image = {3, 0}, .transparency = 17, .choice = {1, 0}};

inline constexpr Section kPlaylist{.slot = Slot::Playlist, .panel = 4,
    .frame = 15, .check2 = 10, .prefix = u"プレイリストの",
    .top = 66, .left = 67, .height = 68, .width = 69,
    .foreColor = 13, .backColor = 14, .choice = {8, 9}};

// The track name has a width box but no height box.
inline constexpr Section kTrackName{.slot = Slot::TrackNameText,
    .panel = 4, .frame = 16, .check2 = 11, .prefix = u"トラック表示の",
    .top = 72, .left = 71, .width = 70,
    .foreColor = 16, .backColor = 15, .choice = {10, 11}, .opaque = {12, 13},
    .fontSize = 0, .scrollSpeed = 1};

// Video and effects: one section, whose record fills both slots.
inline constexpr Section kVideo{.slot = Slot::Video, .panel = 5,
    .frame = 17, .check2 = 12, .prefix = u"ビデオ＆エフェクトの",
    .top = 76, .left = 75, .height = 74, .width = 73};

// Buttons: image {Text1, Command2}; pressed and hover {Text1, Command2,
// Check1}. Frames 7 to 10 carry the higher Text1 index on their pressed row.
// Sliders: image is the thumb; choice {"水平", "垂直"}.
inline constexpr std::array<Section, 18> kSections{{
    kTheme,
    kView,
    {.slot = Slot::PlayButton, .panel = 1, .frame = 2,
     .prefix = u"プレイボタン画像の", .image = {4, 1}, .pressed = {5, 2, 0}, .hover = {6, 3, 1},
     .top = 7, .left = 8, .transparency = 1},
    {.slot = Slot::StopButton, .panel = 1, .frame = 3,
     .prefix = u"ストップボタン画像の", .image = {9, 4}, .pressed = {10, 5, 2}, .hover = {11, 6, 3},
     .top = 12, .left = 13, .transparency = 0},
    {.slot = Slot::CloseButton, .panel = 1, .frame = 4,
     .prefix = u"閉じるボタン画像の", .image = {14, 7}, .pressed = {15, 8, 4}, .hover = {16, 9, 5},
     .top = 17, .left = 18, .transparency = 2},
    {.slot = Slot::NextButton, .panel = 1, .frame = 5, .check2 = 0,
     .prefix = u"FFWDボタン画像の", .image = {19, 10}, .pressed = {20, 11, 6},
     .hover = {21, 12, 7}, .top = 22, .left = 23, .transparency = 3},
    {.slot = Slot::PrevButton, .panel = 1, .frame = 6, .check2 = 1,
     .prefix = u"REWボタン画像の", .image = {24, 13}, .pressed = {25, 14, 8},
     .hover = {26, 15, 9}, .top = 27, .left = 28, .transparency = 4},
    {.slot = Slot::PauseButton, .panel = 2, .frame = 11, .check2 = 4,
     .prefix = u"一時停止ボタン画像の", .image = {49, 28}, .pressed = {50, 29, 19},
     .hover = {51, 30, 18}, .top = 52, .left = 53, .transparency = 9},
    {.slot = Slot::RepeatButton, .panel = 2, .frame = 10, .check2 = 5,
     .prefix = u"リピートボタン画像の", .image = {48, 27}, .pressed = {47, 26, 16},
     .hover = {46, 25, 17}, .top = 45, .left = 44, .transparency = 8},
    {.slot = Slot::ShuffleButton, .panel = 2, .frame = 9, .check2 = 6,
     .prefix = u"シャッフルボタン画像の", .image = {43, 24}, .pressed = {42, 23, 14},
     .hover = {41, 22, 15}, .top = 40, .left = 39, .transparency = 7},
    {.slot = Slot::MinimizeButton, .panel = 2, .frame = 8, .check2 = 3,
     .prefix = u"最小化ボタン画像の", .image = {38, 21}, .pressed = {37, 20, 12},
     .hover = {36, 19, 13}, .top = 35, .left = 34, .transparency = 6},
    {.slot = Slot::ReturnButton, .panel = 2, .frame = 7, .check2 = 2,
     .prefix = u"フルモード切替ボタン画像の", .image = {33, 18}, .pressed = {32, 17, 10},
     .hover = {31, 16, 11}, .top = 30, .left = 29, .transparency = 5},
    {.slot = Slot::SeekSlider, .panel = 3, .frame = 12, .check2 = 7,
     .prefix = u"SEEKバー画像の", .image = {54, 31}, .background = {55, 32, 20},
     .top = 56, .left = 57, .height = 78, .width = 77, .transparency = 10, .choice = {2, 3}},
    {.slot = Slot::VolumeSlider, .panel = 3, .frame = 13, .check2 = 8,
     .prefix = u"音量調節画像の", .image = {61, 34}, .background = {60, 33, 21},
     .top = 59, .left = 58, .height = 79, .width = 80, .transparency = 11, .choice = {5, 4}},
    {.slot = Slot::BalanceSlider, .panel = 3, .frame = 14, .check2 = 9,
     .prefix = u"スピーカーバランス画像の", .image = {65, 36}, .background = {64, 35, 22},
     .top = 63, .left = 62, .height = 81, .width = 82, .transparency = 12, .choice = {7, 6}},
    kPlaylist,
    kTrackName,
    kVideo,
}};
// clang-format on

// The optional image fields of a section: the pressed and hover images of a
// button, the background of a slider.
std::vector<ImageField> switchableImages(const Section &section);
// Every image field of a section, first image first.
std::vector<ImageField> imageFields(const Section &section);
// The position and size fields a section has: TOP, LEFT, height, width.
std::vector<qint16> numberFields(const Section &section);

// The section that edits an element; the effects share the video's.
const Section &sectionFor(qint16 slot);

// The section a Check2 box switches; null for none.
const Section *switchedBy(qint16 check2);

// The checks a save runs over the panels before writing, in the order they
// run: section by section in panel order, each section's first image, its
// optional images, a slider's size, then its position and size fields. A
// check counts only while its section's Check2 box (if any) and its own
// Check1 box (if any) are ticked.
enum class Test {
    Image,      // not empty and names an existing file
    Number,     // not empty
    SliderSize, // the background image when its box is ticked, otherwise the
                // height ("垂直" selected) or width field
};
struct FieldCheck {
    const Section *section;
    Test test;
    qint16 field; // Text1; kNone for the slider size
    qint16 box;   // Check1 that must be ticked; kNone: always
};
const std::vector<FieldCheck> &fieldChecks();

// The sections the preview draws over the background, in drawing order: a
// later one covers an earlier one.
std::vector<const Section *> drawnSections();

} // namespace Sections
