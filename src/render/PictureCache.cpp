#include "PictureCache.h"

#include "PictureReader.h"
#include "util/SkinFolder.h"

#include <QFile>

QImage PictureCache::picture(const QString &path)
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
    if (const std::optional<QImage> kept = m_kept ? m_kept->find(file) : std::nullopt) {
        return m_pictures.emplace(*id, *kept).first->second;
    }
    // A null picture is kept too: an undecodable file is not tried again.
    const QImage &picture =
        m_pictures.emplace(*id, readPicture(file, path, m_budget)).first->second;
    if (m_kept) {
        m_kept->keep(file, picture);
    }
    return picture;
}
