#include "CommandLine.h"
#include "CommandSkin.h"
#include "Commands.h"
#include "Console.h"
#include "document/clsFileControl.h"
#include "packaging/WmzUnpacker.h"
#include "render/SkinCheck.h"
#include "util/Interrupt.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

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

// A folder's skins, in and below it, in the order of their paths.
QStringList skinsIn(const QString &folder)
{
    QStringList paths;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (isSkinFile(path)) {
            paths.append(QDir::toNativeSeparators(path));
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
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
Report checkSkinFile(const QString &path, bool json, bool several)
{
    Report report;
    QTextStream err(&report.err);
    ConsoleMessageSink messages(err);
    const std::unique_ptr<CommandSkin> skin = CommandSkin::open(path, messages);
    if (!skin) {
        report.failed = true;
        report.json = {{u"skin"_s, shownPath(path)},
                       {u"readable"_s, false},
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
    const QList<SkinFinding> findings = readable ? checkSkin(document) : QList<SkinFinding>();
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
        return report;
    }
    const QString prefix = several ? shownSkin + u": "_s : QString();
    for (const SkinFinding &finding : findings) {
        report.out += terminalText(prefix + skin->shown(finding.describe())) + u'\n';
    }
    // A sound skin says so, with how much was looked at.
    if (readable && findings.isEmpty()) {
        report.out +=
            terminalText(u"%1: nothing found (%2 elements, %3 pictures checked)"_s.arg(
                shownSkin, QString::number(summary.elements), QString::number(summary.pictures))) +
            u'\n';
    }
    return report;
}

// Checks the skins on all cores and hands each report to print, in order,
// as soon as it and those before it are done.
template <typename Print> void checkAll(const QStringList &paths, bool json, Print print)
{
    if (paths.isEmpty()) {
        return;
    }
    const bool several = paths.size() > 1;
    std::vector<std::optional<Report>> reports(size_t(paths.size()));
    std::mutex mutex;
    std::condition_variable done;
    std::atomic<qsizetype> next = 0;
    qsizetype stopped = 0; // workers that found nothing more to do
    const auto work = [&] {
        // A signal to stop leaves the skins not yet begun unchecked.
        for (qsizetype i = next++; i < paths.size() && !Interrupt::requested(); i = next++) {
            Report report = checkSkinFile(paths.at(i), json, several);
            const std::lock_guard lock(mutex);
            reports[size_t(i)] = std::move(report);
            done.notify_all();
        }
        const std::lock_guard lock(mutex);
        ++stopped;
        done.notify_all();
    };
    const qsizetype count =
        std::clamp<qsizetype>(qsizetype(std::thread::hardware_concurrency()), 1, paths.size());
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
    QStringList paths;
    bool failed = false;
    bool folderGiven = false;
    for (const QByteArray &file : files) {
        const std::optional<QString> folder = folderArgumentPath(file, console);
        if (folder) {
            const QStringList skins = skinsIn(*folder);
            if (skins.isEmpty()) {
                console.err() << u"velmora: "_s << terminalText(shownArgument(file))
                              << u": WMSファイルもWMZファイルもありません\n"_s;
                failed = true;
            }
            paths += skins;
            folderGiven = true;
            continue;
        }
        const QString path = skinFileArgument(file, console);
        if (path.isEmpty()) {
            failed = true;
        } else {
            paths.append(path);
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
