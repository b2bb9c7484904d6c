#pragma once

#include "Artwork.h"

#include <QImage>
#include <QSize>
#include <QStringView>

// One picture button of the side menu: 0-6 the edit modes (one per panel),
// 7-9 the file set (new, open, save).
struct MenuButton {
    QStringView label;
    Glyph glyph;
};

inline constexpr int kModeCount = 7;
inline constexpr int kMenuButtonCount = 10;

inline constexpr MenuButton kMenuButtons[kMenuButtonCount] = {
    {u"テーマ・背景", Glyph::Landscape},
    {u"ボタン1", Glyph::PlayStop},
    {u"ボタン2", Glyph::PauseMinimise},
    {u"スライダー", Glyph::Sliders},
    {u"プレイリスト", Glyph::List},
    {u"ビデオ", Glyph::Film},
    {u"プレビュー", Glyph::Magnifier},
    {u"新規作成", Glyph::NewDocument},
    {u"開く", Glyph::Folder},
    {u"保存", Glyph::Disk},
};

inline constexpr QSize kMenuButtonSize(113, 78);

// The picture of menu button index; selected applies only to the mode buttons
// and gives them the pressed, highlighted look of the current mode.
QImage renderMenuButton(int index, bool selected);
