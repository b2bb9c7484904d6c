#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The part of a picture file that a preview box of the given size shows: the
// picture at its natural size from its top left corner, cut off at the box's
// edges. Where the format allows, only that part is decoded, so a large
// photograph previews quickly and within little memory.
struct PicturePreview {
    enum class Status {
        Shown,
        Missing,    // no such file
        Unreadable, // no picture that can be decoded within the budget of one picture
        Failed,     // the file cannot be opened (a pipe, a device) or read
    };

    Status status = Status::Failed;
    QImage image;  // the visible part; null unless shown
    QSize natural; // the picture's own size, where the header tells it
};

PicturePreview loadPicturePreview(const QString &path, const QSize &box);
