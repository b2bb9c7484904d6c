#include "PictureCache.h"

#include "util/SkinFolder.h"

#include <QFile>

Picture PictureCache::picture(const QString &path)
{
    QFile file;
    if (!UserFile::open(file, path)) {
        return {};
    }
    if (SkinFolder::openedOutside(file, path)) {
        m_outsideLinks.insert(path);
        return {};
    }
    const std::optional<UserFile::Identity> id = UserFile::identity(file);
    if (!id) {
        return {};
    }
    const auto found = m_pictures.find(*id);
    if (found != m_pictures.end()) {
        return found->second;
    }
    if (const std::optional<Picture> kept = m_kept ? m_kept->find(file) : std::nullopt) {
        return m_pictures.emplace(*id, *kept).first->second;
    }
    // A null picture is kept too: an undecodable file is not tried again.
    const Picture &picture = m_pictures.emplace(*id, readPicture(file, m_budget)).first->second;
    if (m_kept) {
        m_kept->keep(file, picture);
    }
    return picture;
}
