#pragma once

#include <QStringView>
#include <array>

// The 19 numbered slots of a skin. These numbers name elements everywhere:
// panels, writer, reader and preview.
namespace Slot {
inline constexpr qint16 Theme = 1;
inline constexpr qint16 View = 2;
inline constexpr qint16 PlayButton = 3;
inline constexpr qint16 StopButton = 4;
inline constexpr qint16 CloseButton = 5;
inline constexpr qint16 NextButton = 6;
inline constexpr qint16 PrevButton = 7;
inline constexpr qint16 PauseButton = 8;
inline constexpr qint16 RepeatButton = 9;
inline constexpr qint16 ShuffleButton = 10;
inline constexpr qint16 MinimizeButton = 11;
inline constexpr qint16 ReturnButton = 12;
inline constexpr qint16 VolumeSlider = 13;
inline constexpr qint16 SeekSlider = 14;
inline constexpr qint16 BalanceSlider = 15;
inline constexpr qint16 Playlist = 16;
inline constexpr qint16 TrackNameText = 17;
inline constexpr qint16 Video = 18;
inline constexpr qint16 Effects = 19;

inline constexpr qint16 First = 1;
inline constexpr qint16 Last = 19;
inline constexpr qint16 Count = 19;

constexpr bool isValid(qint16 index)
{
    return index >= First && index <= Last;
}
} // namespace Slot

enum class ElementFamily { Theme, View, Button, Slider, Playlist, TrackName, VideoEffects };

struct ElementSlot {
    qint16 index;
    QStringView tag; // the element's tag in a WMS file
    ElementFamily family;
};

// One row per slot, in slot order.
inline constexpr std::array<ElementSlot, Slot::Count> kElementSlots{{
    {Slot::Theme, u"theme", ElementFamily::Theme},
    {Slot::View, u"view", ElementFamily::View},
    {Slot::PlayButton, u"playbutton", ElementFamily::Button},
    {Slot::StopButton, u"stopbutton", ElementFamily::Button},
    {Slot::CloseButton, u"closebutton", ElementFamily::Button},
    {Slot::NextButton, u"nextbutton", ElementFamily::Button},
    {Slot::PrevButton, u"prevbutton", ElementFamily::Button},
    {Slot::PauseButton, u"pausebutton", ElementFamily::Button},
    {Slot::RepeatButton, u"repeatbutton", ElementFamily::Button},
    {Slot::ShuffleButton, u"shufflebutton", ElementFamily::Button},
    {Slot::MinimizeButton, u"minimizebutton", ElementFamily::Button},
    {Slot::ReturnButton, u"returnbutton", ElementFamily::Button},
    {Slot::VolumeSlider, u"volumeslider", ElementFamily::Slider},
    {Slot::SeekSlider, u"seekslider", ElementFamily::Slider},
    {Slot::BalanceSlider, u"balanceslider", ElementFamily::Slider},
    {Slot::Playlist, u"playlist", ElementFamily::Playlist},
    {Slot::TrackNameText, u"tracknametext", ElementFamily::TrackName},
    {Slot::Video, u"wmpvideo", ElementFamily::VideoEffects},
    {Slot::Effects, u"wmpeffects", ElementFamily::VideoEffects},
}};

constexpr const ElementSlot &elementSlot(qint16 index)
{
    return kElementSlots[static_cast<std::size_t>(index - Slot::First)];
}
