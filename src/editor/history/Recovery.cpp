#include "Recovery.h"

#include "EditHistory.h"
#include "RecoveredWork.h"
#include "document/SkinFields.h"
#include "editor/document/SkinDocument.h"
#include "editor/panels/PanelValues.h"
#include "util/UserFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QWidget>
#include <algorithm>
#include <csignal>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Beside a list's position: the value it holds while it shows no entry.
const QString kHeldSuffix = u":value"_s;

// Well within the two seconds a change may wait before it is safe.
constexpr int kDelayMs = 1500;
// Recovery files hold values of the panels only: a few kilobytes. A larger
// one is no file of this program's.
constexpr qint64 kMaxBytes = 4 * 1024 * 1024;
const QString kPrefix = u"recovery-"_s;
const QString kSuffix = u".json"_s;
// Added to the name of a file that holds no work, so that no start takes it
// for a recovery file again; its bytes stay the user's to look at.
const QString kAside = u".unusable"_s;

Recovery *g_current = nullptr;

// The process a recovery file belongs to, from its name
// (recovery-<process>-<mark>.json, or recovery-<process>.json as earlier
// versions named it); none for other names.
std::optional<qint64> processOf(const QString &name)
{
    if (!name.startsWith(kPrefix) || !name.endsWith(kSuffix)) {
        return std::nullopt;
    }
    const QStringView middle =
        QStringView(name).sliced(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    bool number = false;
    const qint64 pid = middle.left(middle.indexOf(u'-')).toLongLong(&number);
    return number && pid > 0 ? std::optional(pid) : std::nullopt;
}

// Which run a process is: the system's start and the process's own, so that
// a number the system hands out again (after a restart, say) is not taken
// for the run that ended. Empty where the system does not tell.
QString runOf(qint64 pid)
{
    const std::optional<QByteArray> boot =
        UserFile::readAll(u"/proc/sys/kernel/random/boot_id"_s, 64);
    const std::optional<QByteArray> stat = UserFile::readAll(u"/proc/%1/stat"_s.arg(pid), 4096);
    if (!boot || !stat) {
        return {};
    }
    // The name in brackets may hold blanks; the start is the 20th field after it.
    const QList<QByteArray> fields = stat->mid(stat->lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20) {
        return {};
    }
    return QString::fromLatin1(boot->trimmed() + '/' + fields.at(19));
}

// A file's run goes on while its process lives and is still that run (a
// file that names no run is judged by its process alone).
bool runGoesOn(qint64 pid, const QString &run)
{
    if (::kill(pid_t(pid), 0) != 0 && errno != EPERM) {
        return false;
    }
    return run.isEmpty() || runOf(pid) == run;
}

} // namespace

Recovery::Recovery(EditHistory &history, QString folder, FileName fileName, QObject *parent)
    : QObject(parent), m_history(history), m_folder(std::move(folder)),
      // The mark keeps this run's file apart from one an earlier run of the
      // same process number left (before a restart).
      m_path(QDir(m_folder).filePath(
          kPrefix + QString::number(QCoreApplication::applicationPid()) + u'-' +
          QString::number(QRandomGenerator::global()->generate64(), 36) + kSuffix)),
      m_run(runOf(QCoreApplication::applicationPid())), m_fileName(std::move(fileName))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &Recovery::writeNow);
    QUndoStack &stack = m_history.stack();
    connect(&stack, &QUndoStack::indexChanged, this, &Recovery::followHistory);
    connect(&stack, &QUndoStack::cleanChanged, this, &Recovery::followHistory);
    g_current = this;
}

// Ending as it should, the program leaves nothing to recover.
Recovery::~Recovery()
{
    if (g_current == this) {
        g_current = nullptr;
    }
    remove();
}

Recovery *Recovery::current()
{
    return g_current;
}

// The first unsaved change starts the wait; later ones ride on it.
void Recovery::followHistory()
{
    if (m_history.stack().isClean()) {
        m_timer.stop();
        remove();
    } else if (!m_timer.isActive()) {
        m_timer.start();
    }
}

bool Recovery::writeNow()
{
    m_timer.stop();
    if (m_history.stack().isClean()) {
        return false;
    }
    QJsonObject values;
    const SkinValues &skin = m_history.document().values();
    for (const SkinFields::Field &field : SkinFields::all()) {
        const QString name = SkinFields::recoveryKey(field.id);
        const QString shown = PanelValues::toControlText(field, skin.value(field.id));
        values.insert(name, shown);
        // A list that shows none of its entries keeps the skin's value beside
        // its position, which cannot tell it.
        if (field.id.kind == SkinFields::Kind::List && shown.toInt() < 0) {
            values.insert(name + kHeldSuffix, skin.value(field.id));
        }
    }
    const QJsonObject record{{u"file"_s, m_fileName()}, {u"run"_s, m_run}, {u"values"_s, values}};
    QDir().mkpath(m_folder);
    QSaveFile file(m_path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(QJsonDocument(record).toJson(QJsonDocument::Compact)) > 0 && file.commit();
}

void Recovery::remove()
{
    if (!m_keep) {
        QFile::remove(m_path);
    }
}

QStringList Recovery::controlNames() const
{
    QStringList names;
    for (const SkinFields::Field &field : SkinFields::all()) {
        names.append(SkinFields::recoveryKey(field.id));
    }
    return names;
}

Recovery::Search Recovery::findLeftOver()
{
    Search search;
    const QDir folder(m_folder);
    const QStringList controls = controlNames();
    QFileInfoList files = folder.entryInfoList({kPrefix + u'*' + kSuffix}, QDir::Files, QDir::Time);
    for (const QFileInfo &info : files) {
        const std::optional<qint64> pid = processOf(info.fileName());
        if (!pid || info.filePath() == m_path) {
            continue;
        }
        const std::optional<QByteArray> bytes = UserFile::readAll(info.filePath(), kMaxBytes);
        const std::optional<RecoveredWork::Record> record =
            bytes ? RecoveredWork::read(*bytes, controls) : std::nullopt;
        // A file that names no run is judged by its process alone.
        if (runGoesOn(*pid, record ? record->run : QString())) {
            continue;
        }
        if (!record) {
            if (const std::optional<QString> aside = setAside(info.filePath())) {
                search.setAside.append(*aside);
            }
            continue;
        }
        if (!search.leftOver) {
            search.leftOver =
                LeftOver{info.filePath(), record->fileName, info.lastModified(), record->values};
        }
    }
    return search;
}

// Only values of controls this window has are taken. No undo leads back
// behind them: the panels before were no skin of the file they now name.
void Recovery::restore(const LeftOver &leftOver)
{
    const auto kept = [&leftOver](const QString &name) -> std::optional<QString> {
        const auto found = std::find_if(leftOver.values.begin(), leftOver.values.end(),
                                        [&name](const auto &v) { return v.first == name; });
        return found == leftOver.values.end() ? std::nullopt : std::optional(found->second);
    };
    SkinValues values = m_history.document().values();
    for (const SkinFields::Field &field : SkinFields::all()) {
        const QString name = SkinFields::recoveryKey(field.id);
        if (const std::optional<QString> shown = kept(name)) {
            const QString held = kept(name + kHeldSuffix).value_or(values.value(field.id));
            values.set(field.id, PanelValues::fromControlText(field, *shown, held));
        }
    }
    m_history.replaceSkin(values);
    m_history.stack().resetClean();
    // Only once the work is safe in this run's file does the other go: an
    // end in between leaves one of them to offer. Should this run's file
    // not be written, the left-over one stays for the next start.
    if (writeNow()) {
        discard(leftOver);
    }
}

void Recovery::discard(const LeftOver &leftOver)
{
    if (processOf(QFileInfo(leftOver.path).fileName())) {
        QFile::remove(leftOver.path);
    }
}

std::optional<QString> Recovery::setAside(const QString &path)
{
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const QString aside =
            path + kAside + (attempt == 1 ? QString() : u'-' + QString::number(attempt));
        if (!QFileInfo(aside).exists() && !QFileInfo(aside).isSymLink() &&
            QFile::rename(path, aside)) {
            return aside;
        }
    }
    return std::nullopt;
}
