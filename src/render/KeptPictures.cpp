#include "KeptPictures.h"

#include <QFile>
#include <sys/stat.h>

// Read from the open file itself, so the key is of what was decoded.
std::optional<KeptPictures::Key> KeptPictures::keyOf(const QFile &file)
{
    struct stat status {};
    if (file.handle() < 0 || ::fstat(file.handle(), &status) != 0) {
        return std::nullopt;
    }
    return Key{quint64(status.st_dev), quint64(status.st_ino),
               qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
               qint64(status.st_size)};
}

std::optional<Picture> KeptPictures::find(const QFile &file)
{
    const std::optional<Key> key = keyOf(file);
    const auto found = key ? m_pictures.find(*key) : m_pictures.end();
    if (found == m_pictures.end()) {
        return std::nullopt;
    }
    found->second.used = true;
    return found->second.picture;
}

void KeptPictures::keep(const QFile &file, const Picture &picture)
{
    if (const std::optional<Key> key = keyOf(file)) {
        m_pictures[*key] = Entry{picture, true};
    }
}

void KeptPictures::endRound()
{
    std::erase_if(m_pictures, [](const auto &entry) { return !entry.second.used; });
    for (auto &[key, entry] : m_pictures) {
        entry.used = false;
    }
}
