#include "PartialArchive.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace PartialArchive {

namespace {

constexpr QStringView kPartialMarker = u".velmora-partial-";
constexpr QStringView kLockMarker = u".velmora-lock";
// Six letters or digits: ours after the marker, and the archive library's
// after the partial archive's name when it writes through a file of its own.
constexpr qsizetype kRandomLength = 6;
constexpr QStringView kRandomAlphabet =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool isRandomPart(QStringView text)
{
    return text.size() == kRandomLength && std::all_of(text.begin(), text.end(), [](QChar c) {
               return kRandomAlphabet.contains(c);
           });
}

QString randomPart()
{
    QString text;
    for (qsizetype i = 0; i < kRandomLength; ++i) {
        text +=
            kRandomAlphabet.at(QRandomGenerator::system()->bounded(int(kRandomAlphabet.size())));
    }
    return text;
}

} // namespace

QString newPartialPath(const QString &archivePath)
{
    QString path;
    do {
        path = archivePath + kPartialMarker.toString() + randomPart();
    } while (QFileInfo::exists(path));
    return path;
}

bool isPartialOf(const QString &name, const QString &archiveName)
{
    const QString prefix = archiveName + kPartialMarker.toString();
    if (!name.startsWith(prefix)) {
        return false;
    }
    const QStringView rest = QStringView(name).mid(prefix.size());
    if (rest.size() == kRandomLength) {
        return isRandomPart(rest);
    }
    return rest.size() == 2 * kRandomLength + 1 && isRandomPart(rest.left(kRandomLength)) &&
           rest.at(kRandomLength) == u'.' && isRandomPart(rest.mid(kRandomLength + 1));
}

QString lockPath(const QString &archivePath)
{
    const QFileInfo info(archivePath);
    return info.dir().filePath(u'.' + info.fileName() + kLockMarker.toString());
}

bool isPackFile(const QString &name)
{
    if (name.startsWith(u'.') && name.endsWith(kLockMarker)) {
        return true;
    }
    const qsizetype marker = name.indexOf(kPartialMarker);
    return marker > 0 && isPartialOf(name, name.left(marker));
}

} // namespace PartialArchive
