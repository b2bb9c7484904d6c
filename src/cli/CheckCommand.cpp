#include "CommandLine.h"
#include "CommandSkin.h"
#include "Commands.h"
#include "Console.h"
#include "document/clsFileControl.h"
#include "packaging/WmzUnpacker.h"
#include "render/SkinCheck.h"
#include "util/Interrupt.h"
#include "util/UserFile.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#ifdef Q_OS_UNIX
#include <dirent.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// What one skin's check prints, made on a worker and printed in the order
// the skins were given.
struct Report {
    QString out;
    QString err;
    QJsonObject json;
    bool failed = false;
};

bool isSkinFile(const QString &path)
{
    return path.endsWith(u".wms"_s, Qt::CaseInsensitive) || WmzUnpacker::isArchiveName(path);
}

// What a folder holds for check: a skin file, or a folder below it that
// cannot be read, with why.
struct Found {
    QString path;
    QString unreadable; // empty for a skin file
};

// Why a folder cannot be listed; nothing when it can.
std::optional<QString> folderRefusal(const QString &folder)
{
#ifdef Q_OS_UNIX
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (dir) {
        ::closedir(dir);
        return std::nullopt;
    }
    const int error = errno;
    return error == EACCES || error == EPERM ? UserFile::refusalText(UserFile::Refusal::Denied)
           : error == ENOENT                 ? UserFile::refusalText(UserFile::Refusal::Missing)
                                             : QString::fromLocal8Bit(std::strerror(error));
#else
    return QDir(folder).isReadable()
               ? std::nullopt
               : std::optional(UserFile::refusalText(UserFile::Refusal::Other));
#endif
}

// Goes through one folder and the folders below it (not those a link leads
// to). Every name of a skin file is taken, a pipe or a dangling link too:
// the check names what it cannot read rather than passing over it.
void collectSkins(const QString &folder, std::vector<Found> &found)
{
    if (const std::optional<QString> why = folderRefusal(folder)) {
        found.push_back({QDir::toNativeSeparators(folder), *why});
        return;
    }
    QDirIterator it(folder, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir()) {
            if (!info.isSymLink()) {
                collectSkins(path, found);
            }
        } else if (isSkinFile(path)) {
            found.push_back({QDir::toNativeSeparators(path), {}});
        }
    }
}

// A folder's skins, in and below it, and the folders it cannot read, in the
// order of their paths.
std::vector<Found> skinsIn(const QString &folder)
{
    std::vector<Found> found;
    collectSkins(QDir::fromNativeSeparators(folder), found);
    std::sort(found.begin(), found.end(),
              [](const Found &a, const Found &b) { return a.path < b.path; });
    return found;
}

// Passes the core's messages on and keeps their texts: an unreadable skin's
// report gives them as its reason.
class KeptMessages : public MessageSink {
public:
    explicit KeptMessages(MessageSink &next) : m_next(next) {}

    void showMessage(const QString &text, const QString &title, MessageIcon icon) override
    {
        m_texts.append(QString(text).replace(u"\r\n"_s, u"\n"_s));
        m_next.showMessage(text, title, icon);
    }
    bool askYesNo(const QString &text, const QString &title) override
    {
        return m_next.askYesNo(text, title);
    }
    QString text() const { return m_texts.join(u'\n'); }

private:
    MessageSink &m_next;
    QStringList m_texts;
};

// The report of what could not be read at all: its path and why, on
// standard error, and in JSON a report that nothing was checked.
Report unreadableReport(const QString &shown, const QString &why, bool folder)
{
    Report report;
    report.failed = true;
    report.err =
        terminalText(u"velmora: %1: %2"_s.arg(
            shown, folder
                       ? u"フォルダを読み込めません（%1）。中のスキンは確認していません"_s.arg(why)
                       : why)) +
        u'\n';
    report.json = {{u"skin"_s, shown}, {u"readable"_s, false}, {u"reason"_s, why},
                   {u"elements"_s, 0}, {u"pictures"_s, 0},     {u"findings"_s, QJsonArray()}};
    if (folder) {
        report.json.insert(u"folder"_s, true);
    }
    return report;
}

// Why a skin file found in a folder cannot be opened at all (a pipe, a link
// leading nowhere, no permission); nothing when it can.
std::optional<QString> fileRefusal(const QString &path)
{
    const std::optional<UserFile::Refusal> why = UserFile::refusal(path);
    if (!why) {
        return std::nullopt;
    }
    const QFileInfo info(path);
    return info.isSymLink() && !info.exists() ? u"リンク先のファイルが見つかりません"_s
                                              : UserFile::refusalText(*why);
}

// The shown text of every string in a JSON value: paths the program reaches
// through descriptors or temporary folders are named as the user gave them,
// before the JSON is written, so that it escapes them as it does any text.
QJsonValue shownJson(const QJsonValue &value, const CommandSkin &skin)
{
    if (value.isString()) {
        return skin.shown(value.toString());
    }
    if (value.isObject()) {
        QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            it.value() = shownJson(it.value(), skin);
        }
        return object;
    }
    if (value.isArray()) {
        QJsonArray array;
        for (const QJsonValue &item : value.toArray()) {
            array.append(shownJson(item, skin));
        }
        return array;
    }
    return value;
}

// Reads the skin as the editor's Open does and lists what would make it
// fail. With several skins each line names its skin.
Report checkSkinFile(const Found &found, bool json, bool several)
{
    const QString &path = found.path;
    if (!found.unreadable.isEmpty()) {
        return unreadableReport(shownPath(path), found.unreadable, true);
    }
    if (const std::optional<QString> why = fileRefusal(path)) {
        return unreadableReport(shownPath(path), *why, false);
    }
    Report report;
    QTextStream err(&report.err);
    ConsoleMessageSink console(err);
    KeptMessages messages(console);
    const std::unique_ptr<CommandSkin> skin = CommandSkin::open(path, messages);
    if (!skin) {
        report.failed = true;
        report.json = {{u"skin"_s, shownPath(path)},
                       {u"readable"_s, false},
                       {u"reason"_s, shownPath(messages.text())},
                       {u"elements"_s, 0},
                       {u"pictures"_s, 0},
                       {u"findings"_s, QJsonArray()}};
        return report;
    }
    const QString shownSkin = skin->shown(skin->wmsPath());
    clsFileControl document(messages);
    const bool readable = document.readFile(skin->wmsPath());
    err.flush();
    if (several && !report.err.isEmpty()) {
        report.err = u"velmora: %1: %2"_s.arg(terminalText(shownSkin), report.err);
    }
    QList<SkinFinding> findings = readable ? checkSkin(document) : QList<SkinFinding>();
    // What no WMZ of the skin could carry, before anybody packs it.
    if (readable) {
        if (std::optional<SkinFinding> packing = packingFinding(skin->wmsPath())) {
            findings.append(*packing);
        }
    }
    const SkinSummary summary = readable ? summarizeSkin(document) : SkinSummary();
    report.failed = !readable || !findings.isEmpty();
    if (json) {
        QJsonArray list;
        for (const SkinFinding &finding : findings) {
            list.append(shownJson(finding.toJson(), *skin));
        }
        report.json = {{u"skin"_s, shownSkin},
                       {u"readable"_s, readable},
                       {u"elements"_s, summary.elements},
                       {u"pictures"_s, summary.pictures},
                       {u"findings"_s, list}};
        if (!readable) {
            report.json.insert(u"reason"_s, skin->shown(messages.text()));
        }
        return report;
    }
    const QString prefix = several ? shownSkin + u": "_s : QString();
    for (const SkinFinding &finding : findings) {
        report.out += terminalText(prefix + skin->shown(finding.describe())) + u'\n';
    }
    // A sound skin says so, with how much was looked at.
    if (readable && findings.isEmpty()) {
        report.out += terminalText(summary.describe(shownSkin)) + u'\n';
    }
    return report;
}

// Checks the skins on all cores and hands each report to print, in order,
// as soon as it and those before it are done.
template <typename Print> void checkAll(const std::vector<Found> &paths, bool json, Print print)
{
    if (paths.empty()) {
        return;
    }
    const bool several = paths.size() > 1;
    std::vector<std::optional<Report>> reports(paths.size());
    std::mutex mutex;
    std::condition_variable done;
    std::atomic<size_t> next = 0;
    qsizetype stopped = 0; // workers that found nothing more to do
    const auto work = [&] {
        // A signal to stop leaves the skins not yet begun unchecked.
        for (size_t i = next++; i < paths.size() && !Interrupt::requested(); i = next++) {
            Report report = checkSkinFile(paths[i], json, several);
            const std::lock_guard lock(mutex);
            reports[size_t(i)] = std::move(report);
            done.notify_all();
        }
        const std::lock_guard lock(mutex);
        ++stopped;
        done.notify_all();
    };
    const qsizetype count = std::clamp<qsizetype>(qsizetype(std::thread::hardware_concurrency()), 1,
                                                  qsizetype(paths.size()));
    std::vector<std::thread> workers;
    for (qsizetype i = 0; i < count; ++i) {
        workers.emplace_back(work);
    }
    for (size_t i = 0; i < reports.size(); ++i) {
        std::unique_lock lock(mutex);
        done.wait(lock, [&] { return reports[i].has_value() || stopped == count; });
        if (!reports[i]) {
            break;
        }
        Report report = std::move(*reports[i]);
        lock.unlock();
        print(report);
    }
    for (std::thread &worker : workers) {
        worker.join();
    }
}

} // namespace

// Each argument a WMS file, a WMZ file or a folder of them.
int runCheck(const QByteArrayList &files, const CommandOptions &options, Console &console)
{
    std::vector<Found> paths;
    bool failed = false;
    bool folderGiven = false;
    for (const QByteArray &file : files) {
        const std::optional<QString> folder = folderArgumentPath(file, console);
        if (folder) {
            const std::vector<Found> skins = skinsIn(*folder);
            if (skins.empty()) {
                console.err() << u"velmora: "_s << terminalText(shownArgument(file))
                              << u": WMSファイルもWMZファイルもありません\n"_s;
                failed = true;
            }
            paths.insert(paths.end(), skins.begin(), skins.end());
            folderGiven = true;
            continue;
        }
        const QString path = skinFileArgument(file, console);
        if (path.isEmpty()) {
            failed = true;
        } else {
            paths.push_back({path, {}});
        }
    }
    QJsonArray reports;
    checkAll(paths, options.json, [&](const Report &report) {
        console.err() << report.err;
        console.err().flush();
        console.out() << report.out;
        console.out().flush();
        reports.append(report.json);
        failed = failed || report.failed;
    });
    // One skin file named alone prints its report (none when the name led
    // nowhere); a set of skins, an array.
    const bool alone = files.size() == 1 && !folderGiven;
    if (options.json && (!alone || reports.size() == 1)) {
        const QJsonDocument document =
            alone ? QJsonDocument(reports.at(0).toObject()) : QJsonDocument(reports);
        console.out() << QString::fromUtf8(document.toJson(QJsonDocument::Indented));
    }
    return failed ? CommandLine::Failure : CommandLine::Success;
}
