#pragma once

#include <QRgb>
#include <QtGlobal>

// Window colour values hold red in the lowest byte (0x00BBGGRR); Qt's QRgb
// holds it in the third. These are the one place the two orders meet.
namespace WindowColor {

inline QRgb toRgb(qint32 value)
{
    return qRgb(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

inline qint32 fromRgb(QRgb rgb)
{
    return qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16);
}

} // namespace WindowColor
