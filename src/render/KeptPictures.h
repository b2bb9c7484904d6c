#pragma once

#include "PictureReader.h"

#include <map>
#include <optional>

class QFile;

// Pictures kept from one rendering to the next by file identity,
// modification time and size: a view that renders the skin again on every
// change decodes a file again only when it changed. What a round of
// rendering did not ask for goes when the round ends.
class KeptPictures {
public:
    // The picture decoded before from this open file, unchanged since.
    std::optional<Picture> find(const QFile &file);
    void keep(const QFile &file, const Picture &picture);
    // Ends a round: pictures not asked for since the last one go.
    void endRound();
    void clear() { m_pictures.clear(); }
    std::size_t size() const { return m_pictures.size(); }

private:
    struct Key {
        quint64 device;
        quint64 inode;
        qint64 modified; // nanoseconds
        qint64 bytes;
        friend auto operator<=>(const Key &, const Key &) = default;
    };
    struct Entry {
        Picture picture;
        bool used;
    };
    static std::optional<Key> keyOf(const QFile &file);

    std::map<Key, Entry> m_pictures;
};
