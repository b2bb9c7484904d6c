#include "Recovery.h"

#include "EditHistory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QWidget>
#include <algorithm>
#include <csignal>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Well within the two seconds a change may wait before it is safe.
constexpr int kDelayMs = 1500;
// Recovery files hold values of the panels only: a few kilobytes. A larger
// one is no file of this program's.
constexpr qint64 kMaxBytes = 4 * 1024 * 1024;
const QString kPrefix = u"recovery-"_s;
const QString kSuffix = u".json"_s;

Recovery *g_current = nullptr;

// The run a recovery file belongs to, from its name; none for other names.
std::optional<qint64> runOf(const QString &name)
{
    if (!name.startsWith(kPrefix) || !name.endsWith(kSuffix)) {
        return std::nullopt;
    }
    bool number = false;
    const qint64 pid = QStringView(name)
                           .sliced(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size())
                           .toLongLong(&number);
    return number && pid > 0 ? std::optional(pid) : std::nullopt;
}

bool runGoesOn(qint64 pid)
{
    return pid == QCoreApplication::applicationPid() || ::kill(pid_t(pid), 0) == 0 ||
           errno == EPERM;
}

} // namespace

Recovery::Recovery(EditHistory &history, QString folder, FileName fileName, QObject *parent)
    : QObject(parent), m_history(history), m_folder(std::move(folder)),
      m_path(QDir(m_folder).filePath(kPrefix + QString::number(QCoreApplication::applicationPid()) +
                                     kSuffix)),
      m_fileName(std::move(fileName))
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

void Recovery::writeNow()
{
    m_timer.stop();
    if (m_history.stack().isClean()) {
        return;
    }
    QJsonObject values;
    for (const PanelRole &role : m_history.roles()) {
        values.insert(role.control.widget->objectName(), readValue(role.control));
    }
    const QJsonObject record{{u"file"_s, m_fileName()}, {u"values"_s, values}};
    QDir().mkpath(m_folder);
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QJsonDocument(record).toJson(QJsonDocument::Compact));
        file.commit();
    }
}

void Recovery::remove()
{
    if (!m_keep) {
        QFile::remove(m_path);
    }
}

std::optional<Recovery::LeftOver> Recovery::findLeftOver() const
{
    const QDir folder(m_folder);
    QFileInfoList files = folder.entryInfoList({kPrefix + u'*' + kSuffix}, QDir::Files, QDir::Time);
    for (const QFileInfo &info : files) {
        const std::optional<qint64> run = runOf(info.fileName());
        if (!run || runGoesOn(*run) || info.size() > kMaxBytes) {
            continue;
        }
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QJsonObject record = QJsonDocument::fromJson(file.read(kMaxBytes)).object();
        LeftOver leftOver{info.filePath(), record.value(u"file"_s).toString(), {}};
        const QJsonObject values = record.value(u"values"_s).toObject();
        for (auto value = values.begin(); value != values.end(); ++value) {
            leftOver.values.emplace_back(value.key(), value.value().toString());
        }
        return leftOver;
    }
    return std::nullopt;
}

// Only values of controls this window has are taken. No undo leads back
// behind them: the panels before were no skin of the file they now name.
void Recovery::restore(const LeftOver &leftOver)
{
    {
        const EditHistory::Reload reload(m_history);
        for (const PanelRole &role : m_history.roles()) {
            const QString name = role.control.widget->objectName();
            const auto found = std::find_if(leftOver.values.begin(), leftOver.values.end(),
                                            [&name](const auto &v) { return v.first == name; });
            if (found != leftOver.values.end()) {
                writeValue(role.control, found->second);
            }
        }
    }
    m_history.stack().resetClean();
    discard(leftOver);
}

void Recovery::discard(const LeftOver &leftOver)
{
    if (runOf(QFileInfo(leftOver.path).fileName())) {
        QFile::remove(leftOver.path);
    }
}
