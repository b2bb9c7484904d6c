#pragma once

#include <QByteArray>
#include <QRgb>
#include <optional>

class QImage;

// Encodes an image as a single-frame GIF89a with one global palette. An image
// of at most 256 colours keeps every colour exactly; one with more is mapped
// onto a fixed colour cube. keyColour, when given, keeps a palette entry of its
// own: its pixels stay exactly that colour and no other pixel turns into it,
// so a colour-keyed shape gets no holes.
QByteArray encodeGif(const QImage &image, std::optional<QRgb> keyColour = std::nullopt);
