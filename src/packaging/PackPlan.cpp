#include "PackPlan.h"

#include "packaging/ArchiveCheck.h"
#include "packaging/PartialArchive.h"
#include "packaging/ZipCommandLine.h"
#include "util/EntryName.h"
#include "util/SkinFolder.h"
#include "util/UserFile.h"
#include "wms/WmsSyntax.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace PackPlan {

namespace {

using Kind = PackFailure::Kind;

// The writer stores "&", "<", ">" and double quotes as references, so a name
// is looked for both as it is and as the WMS text stores it.
bool isNamedIn(const QString &wmsText, const QString &name)
{
    return wmsText.contains(name, Qt::CaseSensitive) ||
           wmsText.contains(WmsSyntax::escapeValue(name), Qt::CaseSensitive);
}

// The names the archive would hold: every listed file once, the WMS file too.
QStringList archivedNames(const QStringList &listed, const QString &wmsFileName)
{
    QStringList names = listed;
    if (!names.contains(wmsFileName)) {
        names.append(wmsFileName);
    }
    return names;
}

// A name another system reads as a path or a device would unpack outside the
// skin's folder there, or not at all.
std::optional<PackFailure> unsafeName(const QStringList &names)
{
    NamesByCase entries;
    for (const QString &name : names) {
        if (const std::optional<QString> why = unsafeEntryNameReason(name)) {
            return PackFailure{Kind::UnsafeName, name, *why};
        }
        if (const std::optional<QString> twin = entries.meet(name); twin && *twin != name) {
            return PackFailure{Kind::UnsafeName, name, caseTwinReason(*twin)};
        }
    }
    return std::nullopt;
}

// The unpacker's own check, on the files as they are now: what it would
// refuse (too many files, one too large, all of them too large, a second WMS
// file) is refused before anything is packed.
std::optional<PackFailure> beyondUnpacking(const QString &folder, const QStringList &names,
                                           const QString &archiveName)
{
    QList<ArchiveCheck::Entry> entries;
    entries.reserve(names.size());
    for (const QString &name : names) {
        const quint64 size = quint64(std::max<qint64>(QFileInfo(folder + name).size(), 0));
        // Stored as it is, at worst: the ratio cannot refuse it.
        entries.append({name.toUtf8(), size, size, ArchiveCheck::Kind::File, false, true});
    }
    const ArchiveCheck::Verdict verdict = ArchiveCheck::check(entries);
    if (!verdict.refusal) {
        return std::nullopt;
    }
    const ArchiveCheck::Refusal &refusal = *verdict.refusal;
    return PackFailure{Kind::BeyondUnpacking,
                       refusal.wholeArchive ? folder + archiveName : refusal.subject,
                       refusal.reason};
}

} // namespace

std::variant<Plan, PackFailure> make(const QString &folder, const QString &wmsFileName,
                                     const QString &archiveName)
{
    const QString wmsPath = folder + wmsFileName;
    const std::optional<QStringList> lines = WmsSyntax::readFileLines(wmsPath);
    if (!lines) {
        const std::optional<UserFile::Refusal> why = UserFile::refusal(wmsPath);
        return PackFailure{Kind::SkinUnreadable, wmsPath,
                           why ? UserFile::refusalText(*why) : u"大きすぎます"_s};
    }
    // Line ends dropped, so a name broken over two lines still counts.
    const QString wmsText = lines->join(QString());
    QStringList listed;
    // A leading dot only hides a file from listings here; the skin still needs it.
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        // The archive being written, and the files of packs of it, are no
        // part of the skin, even where the skin's text mentions them.
        if (name == archiveName || PartialArchive::isPackFile(name) || !isNamedIn(wmsText, name)) {
            continue;
        }
        // A link to a file elsewhere would put that file into an archive
        // that is meant to be shared.
        if (name != wmsFileName && SkinFolder::linksOutside(folder + name, folder)) {
            return PackFailure{Kind::OutsideLink, name, {}};
        }
        listed.append(name);
    }
    // An image the skin names but the list lacks (missing, or named in
    // characters the WMS text could not hold) would make an archive that
    // the player cannot show.
    const QStringList images = WmsSyntax::imageNames(*lines);
    for (const QString &image : images) {
        if (image == archiveName) {
            return PackFailure{Kind::OwnArchiveAsImage, image, {}};
        }
        if (!listed.contains(image)) {
            const QString path = folder + image;
            const std::optional<UserFile::Refusal> why = UserFile::refusal(path);
            return PackFailure{Kind::ImageUnusable, path,
                               UserFile::refusalText(why.value_or(UserFile::Refusal::Other))};
        }
    }
    // The WMS file closes the list, even when it named itself above.
    const std::optional<QString> listText = ZipCommandLine::makeListText(listed, wmsFileName);
    if (!listText) {
        const QStringList all = listed + QStringList{wmsFileName};
        const auto broken = std::find_if_not(all.cbegin(), all.cend(), ZipCommandLine::fitsOneLine);
        return PackFailure{Kind::LineBreakInName, broken == all.cend() ? wmsFileName : *broken, {}};
    }
    const QStringList archived = archivedNames(listed, wmsFileName);
    if (std::optional<PackFailure> failure = unsafeName(archived)) {
        return *failure;
    }
    if (std::optional<PackFailure> failure = beyondUnpacking(folder, archived, archiveName)) {
        return *failure;
    }
    return Plan{listed, *listText};
}

QString archiveNameFor(const QString &wmsFileName)
{
    return wmsFileName.chopped(1) + u'z';
}

} // namespace PackPlan
