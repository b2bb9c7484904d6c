#include "clsZipWrapper.h"

#include "packaging/PackPlan.h"
#include "packaging/PackScratch.h"
#include "packaging/ZipCommandLine.h"
#include "util/MessageSink.h"
#include "util/Paths.h"
#include "util/UserFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

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
        const QString archiveName = PackPlan::archiveNameFor(pstrWmsFileName);
        const QString workDir = addSeparator(pstrWorkDir);
        const PackScratch scratch(workDir, archiveName);
        if (const std::optional<PackFailure> busy = scratch.failure()) {
            showFailure(&*busy);
            return {};
        }
        // The archive takes the place of a file of its name, or of a link to
        // one (the link itself); a folder, a pipe or a device stays, also
        // where a link leads to it.
        if (UserFile::isSpecial(workDir + archiveName)) {
            const PackFailure failure{PackFailure::Kind::PlaceNotAFile, workDir + archiveName, {}};
            showFailure(&failure);
            return {};
        }
        const std::variant<QString, PackFailure> listFile =
            makeListFile(workDir, pstrWmsFileName, archiveName, scratch.listFileTemplate());
        if (const PackFailure *failure = std::get_if<PackFailure>(&listFile)) {
            showFailure(failure);
            return {};
        }
        const RemoveOnExit removeList(std::get<QString>(listFile));
        // The archive goes beside the WMS file by its full path, whatever the
        // current folder is.
        std::optional<PackFailure> cause;
        if (!runZip(workDir + archiveName, workDir, u'@' + std::get<QString>(listFile), &cause)) {
            showFailure(cause ? &*cause : nullptr);
            return {};
        }
        return archiveName;
    } catch (...) {
        return {};
    }
}

void clsZipWrapper::showFailure(const PackFailure *cause)
{
    // The one message of a failed pack comes first, whatever the cause.
    const QString text = u"圧縮に失敗しました"_s;
    m_messages.showMessage(cause ? text + u"\r\n"_s + cause->message() : text, u"WMZファイル作成"_s,
                           MessageIcon::Stop);
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
    const std::variant<PackPlan::Plan, PackFailure> plan =
        PackPlan::make(strWorkDir, strWmsFileName, strArchiveName);
    if (const PackFailure *failure = std::get_if<PackFailure>(&plan)) {
        return *failure;
    }
    const QString listFile =
        strListTemplate.isEmpty()
            ? QString()
            : writeTemporaryFile(strListTemplate, std::get<PackPlan::Plan>(plan).listText);
    if (listFile.isEmpty()) {
        // The folder the system was asked for, as it was named.
        const QString tempFolder = strListTemplate.isEmpty() ? qEnvironmentVariable("TMPDIR")
                                                             : QFileInfo(strListTemplate).path();
        return PackFailure{PackFailure::Kind::TemporaryFolder, tempFolder, {}};
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
