#pragma once

#include "Artwork.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

// The colour that skins leave out when drawing an image: everything around a
// shape that is not round or rectangular is painted in it.
inline constexpr QRgb kTransparencyKey = qRgb(255, 0, 0);

enum class SampleShape {
    Player,          // background: a rounded player body on the key colour
    PlainBackground, // background without any key colour
    Button,
    HorizontalThumb,
    VerticalThumb,
    HorizontalTrack,
    PlainTrack, // slider background without any key colour
    VerticalTrack,
};

enum class ButtonState { Normal, Pressed, Hover };

struct SamplePicture {
    QString fileName;
    QSize size;
    SampleShape shape;
    Glyph glyph = Glyph::None;
    ButtonState state = ButtonState::Normal;
};

inline constexpr QSize kSampleButtonSize(40, 24);

// Every sample image, in BMP, GIF and JPEG, from which a small skin can be built.
std::vector<SamplePicture> samplePictures();

QImage renderSample(const SamplePicture &sample);
