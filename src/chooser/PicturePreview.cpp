#include "PicturePreview.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

// Formats the reader cannot clip are decoded whole; this bounds what such a
// picture may take (a 12000 x 9000 bitmap needs about 420 MB).
constexpr int kWholeDecodeLimitMiB = 1024;

// Sets the reader's allocation limit for one read and restores it after.
class AllocationLimit {
public:
    explicit AllocationLimit(int mebibytes) : m_previous(QImageReader::allocationLimit())
    {
        QImageReader::setAllocationLimit(qMax(mebibytes, m_previous));
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(m_previous); }
    AllocationLimit(const AllocationLimit &) = delete;
    AllocationLimit &operator=(const AllocationLimit &) = delete;

private:
    int m_previous;
};

bool fitsWholeDecode(const QSize &natural)
{
    // Four bytes a pixel, the widest form the reader decodes these formats to.
    return !natural.isValid() ||
           qint64(natural.width()) * natural.height() * 4 <= qint64(kWholeDecodeLimitMiB) << 20;
}

} // namespace

PicturePreview loadPicturePreview(const QString &path, const QSize &box)
{
    PicturePreview result;
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        result.status = PicturePreview::Status::Missing;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return result;
    }
    QImageReader reader(&file);
    // The contents decide the format, so a misnamed picture still shows.
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        result.status = PicturePreview::Status::Unreadable;
        return result;
    }
    result.natural = reader.size();
    if (result.natural.isValid() && reader.supportsOption(QImageIOHandler::ClipRect)) {
        reader.setClipRect(QRect(QPoint(0, 0), result.natural.boundedTo(box)));
        result.image = reader.read();
    } else if (fitsWholeDecode(result.natural)) {
        const AllocationLimit limit(kWholeDecodeLimitMiB);
        const QImage whole = reader.read();
        result.image =
            whole.isNull() ? whole : whole.copy(QRect(QPoint(0, 0), box.boundedTo(whole.size())));
    } else {
        return result;
    }
    result.status =
        result.image.isNull() ? PicturePreview::Status::Unreadable : PicturePreview::Status::Shown;
    return result;
}
