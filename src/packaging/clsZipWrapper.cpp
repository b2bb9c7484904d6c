#include "clsZipWrapper.h"

#include "packaging/PackScratch.h"
#include "packaging/PartialArchive.h"
#include "packaging/ZipCommandLine.h"
#include "util/EntryName.h"
#include "util/MessageSink.h"
#include "util/Paths.h"
#include "util/SkinFolder.h"
#include "util/UserFile.h"
#include "wms/WmsSyntax.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Archivers older than this lack what the packager relies on.
constexpr qint16 kMinimumVersion = 37;

// Removes the list file on every way out of makeZipFile, errors included.
class RemoveOnExit {
public:
    explicit RemoveOnExit(QString path) : m_path(std::move(path)) {}
    ~RemoveOnExit() { QFile::remove(m_path); }
    RemoveOnExit(const RemoveOnExit &) = delete;
    RemoveOnExit &operator=(const RemoveOnExit &) = delete;

private:
    QString m_path;
};

// The writer stores "&", "<", ">" and double quotes as references, so a name
// is looked for both as it is and as the WMS text stores it.
bool isNamedIn(const QString &wmsText, const QString &name)
{
    return wmsText.contains(name, Qt::CaseSensitive) ||
           wmsText.contains(WmsSyntax::escapeValue(name), Qt::CaseSensitive);
}

// A new, uniquely named file in the temporary folder holding the text; its
// path, or empty when the folder is unavailable or full.
QString writeTemporaryFile(const QString &fileTemplate, const QString &text)
{
    QTemporaryFile file(fileTemplate);
    file.setAutoRemove(false);
    if (!file.open()) {
        return {};
    }
    const QByteArray bytes = ZipCommandLine::encodeList(text);
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        file.remove();
        return {};
    }
    return file.fileName();
}

} // namespace

clsZipWrapper::clsZipWrapper(MessageSink &messages, std::unique_ptr<Archiver> archiver)
    : m_messages(messages), m_archiver(std::move(archiver))
{
    if (!m_archiver) {
        return;
    }
    try {
        const std::optional<qint16> version = m_archiver->version();
        if (version) {
            zipUsable = true;
            zipVersionIsOld = *version < kMinimumVersion;
        }
    } catch (...) {
        // An archiver that cannot even answer is simply not usable.
    }
}

clsZipWrapper::~clsZipWrapper() = default;

bool clsZipWrapper::getZipUsable() const
{
    return zipUsable;
}

bool clsZipWrapper::getZipVersionIsOld() const
{
    return zipVersionIsOld;
}

QString clsZipWrapper::makeZipFile(const QString &pstrWmsFileName, const QString &pstrWorkDir)
{
    try {
        if (pstrWmsFileName.isEmpty()) {
            return {};
        }
        const QString archiveName = pstrWmsFileName.chopped(1) + u'z';
        const QString workDir = addSeparator(pstrWorkDir);
        const PackScratch scratch(workDir, archiveName);
        if (const std::optional<PackFailure> busy = scratch.failure()) {
            showFailure(busy->message());
            return {};
        }
        // The archive takes the place of a file of its name, or of a link to
        // one (the link itself); a folder, a pipe or a device stays, also
        // where a link leads to it.
        if (UserFile::isSpecial(workDir + archiveName)) {
            showFailure(
                PackFailure{PackFailure::Kind::PlaceNotAFile, workDir + archiveName, {}}.message());
            return {};
        }
        const std::variant<QString, PackFailure> listFile =
            makeListFile(workDir, pstrWmsFileName, archiveName, scratch.listFileTemplate());
        if (const PackFailure *failure = std::get_if<PackFailure>(&listFile)) {
            showFailure(failure->message());
            return {};
        }
        const RemoveOnExit removeList(std::get<QString>(listFile));
        // The archive goes beside the WMS file by its full path, whatever the
        // current folder is.
        std::optional<PackFailure> cause;
        if (!runZip(workDir + archiveName, workDir, u'@' + std::get<QString>(listFile), &cause)) {
            showFailure(cause ? u"圧縮に失敗しました\r\n"_s + cause->message()
                              : u"圧縮に失敗しました"_s);
            return {};
        }
        return archiveName;
    } catch (...) {
        return {};
    }
}

void clsZipWrapper::showFailure(const QString &strText)
{
    m_messages.showMessage(strText, u"WMZファイル作成"_s, MessageIcon::Stop);
}

QString clsZipWrapper::addSeparator(const QString &strFolder)
{
    QString folder = strFolder;
    // Trailing blanks are dropped as the Windows file system would, unless
    // the folder really is named with them, which this platform allows.
    if (!QFileInfo(folder).isDir()) {
        while (folder.endsWith(u' ')) {
            folder.chop(1);
        }
    }
    if (!folder.endsWith(Paths::separator())) {
        folder += Paths::separator();
    }
    return folder;
}

std::variant<QString, PackFailure> clsZipWrapper::makeListFile(const QString &strWorkDir,
                                                               const QString &strWmsFileName,
                                                               const QString &strArchiveName,
                                                               const QString &strListTemplate)
{
    using Kind = PackFailure::Kind;
    const QString wmsPath = strWorkDir + strWmsFileName;
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
    const QStringList names = QDir(strWorkDir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        // The archive being written, and the files of packs of it, are no
        // part of the skin, even where the skin's text mentions them.
        if (name == strArchiveName || PartialArchive::isPackFile(name) ||
            !isNamedIn(wmsText, name)) {
            continue;
        }
        // A link to a file elsewhere would put that file into an archive
        // that is meant to be shared.
        if (name != strWmsFileName && SkinFolder::linksOutside(strWorkDir + name, strWorkDir)) {
            return PackFailure{Kind::OutsideLink, name, {}};
        }
        listed.append(name);
    }
    // An image the skin names but the list lacks (missing, or named in
    // characters the WMS text could not hold) would make an archive that
    // the player cannot show.
    const QStringList images = WmsSyntax::imageNames(*lines);
    for (const QString &image : images) {
        if (image == strArchiveName) {
            return PackFailure{Kind::OwnArchiveAsImage, image, {}};
        }
        if (!listed.contains(image)) {
            const QString path = strWorkDir + image;
            const std::optional<UserFile::Refusal> why = UserFile::refusal(path);
            return PackFailure{Kind::ImageUnusable, path,
                               UserFile::refusalText(why.value_or(UserFile::Refusal::Other))};
        }
    }
    // The WMS file closes the list, even when it named itself above.
    const std::optional<QString> listText = ZipCommandLine::makeListText(listed, strWmsFileName);
    if (!listText) {
        const QStringList all = listed + QStringList{strWmsFileName};
        const auto broken = std::find_if_not(all.cbegin(), all.cend(), ZipCommandLine::fitsOneLine);
        return PackFailure{
            Kind::LineBreakInName, broken == all.cend() ? strWmsFileName : *broken, {}};
    }
    // A name another system reads as a path or a device would unpack
    // outside the skin's folder there, or not at all.
    NamesByCase entries;
    for (const QString &name : listed + QStringList{strWmsFileName}) {
        if (const std::optional<QString> why = unsafeEntryNameReason(name)) {
            return PackFailure{Kind::UnsafeName, name, *why};
        }
        if (const std::optional<QString> twin = entries.meet(name); twin && *twin != name) {
            return PackFailure{Kind::UnsafeName, name, caseTwinReason(*twin)};
        }
    }
    const QString listFile =
        strListTemplate.isEmpty() ? QString() : writeTemporaryFile(strListTemplate, *listText);
    if (listFile.isEmpty()) {
        // The folder the system was asked for, as it was named.
        const QString tempFolder = strListTemplate.isEmpty() ? qEnvironmentVariable("TMPDIR")
                                                             : QFileInfo(strListTemplate).path();
        return PackFailure{Kind::TemporaryFolder, tempFolder, {}};
    }
    return listFile;
}

bool clsZipWrapper::runZip(const QString &strArchive, const QString &strBaseDir,
                           const QString &strListArg, std::optional<PackFailure> *cause)
{
    if (!m_archiver) {
        return false;
    }
    // A name the command line cannot carry fails here rather than letting the
    // archiver read the line another way.
    const QString baseDir = addSeparator(strBaseDir);
    const std::optional<QString> commandLine =
        ZipCommandLine::makeCommandLine(strArchive, baseDir, {strListArg});
    if (!commandLine) {
        for (const QString &piece : {strArchive, baseDir, strListArg}) {
            if (!ZipCommandLine::canCarry(piece)) {
                const QString name = piece == strListArg ? piece.mid(1) : piece; // without "@"
                *cause = PackFailure{PackFailure::Kind::NameNotCarried, name, {}};
                break;
            }
        }
        return false;
    }
    const qint32 result = m_archiver->zip(QFile::encodeName(*commandLine));
    if (const std::optional<PackFailure::Kind> kind = archiverCause(result)) {
        const QString name = m_archiver->failedName();
        *cause = PackFailure{*kind, name.isEmpty() ? strArchive : name, {}};
    }
    return result == 0;
}
