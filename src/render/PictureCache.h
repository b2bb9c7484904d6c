#pragma once

#include "KeptPictures.h"
#include "PictureReader.h"
#include "util/DecodeBudget.h"
#include "util/UserFile.h"

#include <QSet>
#include <QString>
#include <map>

// The pictures decoded for one job (a rendering, a check), by file: a file
// that several elements name, under whatever spelling or link, is decoded
// once, and all of them share one decoding budget.
class PictureCache {
public:
    // kept: pictures of earlier rounds to take instead of decoding, and to
    // keep this round's in; none for a job of its own.
    explicit PictureCache(KeptPictures *kept = nullptr) : m_kept(kept) {}

    // The picture of the file at path and what its header tells; a null
    // image when there is no such regular file, it is a link leading out of
    // its folder (see SkinFolder), or it cannot be decoded within the budget
    // (see readPicture).
    Picture picture(const QString &path);
    // Whether picture(path) was refused as a link leading out of its folder.
    bool linksOutside(const QString &path) const { return m_outsideLinks.contains(path); }

private:
    DecodeBudget m_budget;
    std::map<UserFile::Identity, Picture> m_pictures;
    QSet<QString> m_outsideLinks;
    KeptPictures *m_kept;
};
