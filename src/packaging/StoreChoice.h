#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// Which members the archive holds as they are rather than deflated: deflate
// costs time and gains nothing on data that is compressed already.
namespace StoreChoice {

// How many leading bytes isCompressedPicture() looks at.
constexpr qsizetype kHeadBytes = 8;

// Whether the bytes begin as a JPEG, PNG or GIF file, whatever the file's name.
bool isCompressedPicture(QByteArrayView head);

// The largest deflated size worth keeping for a member of size bytes: it must
// shrink by at least 2 %; a member that does not is stored.
qint64 largestWorthDeflating(qint64 size);

} // namespace StoreChoice
