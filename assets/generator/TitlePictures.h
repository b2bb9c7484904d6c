#pragma once

#include <QImage>
#include <QSize>
#include <QStringView>

inline constexpr int kTitledPanelCount = 6;
inline constexpr QSize kPanelTitleSize(609, 42);
inline constexpr QSize kWindowIconSize(32, 32);
inline constexpr QSize kFolderIconSize(16, 16);

// What each titled panel holds, shown after the panel's name (the name of its mode button).
inline constexpr QStringView kPanelSubtitles[kTitledPanelCount] = {
    u"タイトル・作者・著作権・背景画像",
    u"PLAY・STOP・CLOSE・FFWD・REW",
    u"一時停止・リピート・シャッフル・最小化・フルモード切替",
    u"SEEKバー・音量調節・スピーカーバランス",
    u"プレイリスト・演奏中トラック表示",
    u"ビデオ＆エフェクト",
};

QImage renderPanelTitle(int panel);
// The program's icon, side pixels square: the window's at the default size,
// larger for the desktop.
QImage renderWindowIcon(int side = kWindowIconSize.width());
inline constexpr int kDesktopIconSide = 128;
// The picture of the image chooser's button that jumps to the sample folder.
QImage renderFolderIcon();
