#include "HelpOpener.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// The longest the desktop's MIME settings may take to answer before the
// editor stops waiting and assumes a viewer exists.
constexpr int kQueryMilliseconds = 3000;

// Whether the desktop names a default application for the MIME type; nullopt
// when it cannot be asked.
std::optional<bool> defaultApplicationKnown(const QString &mimeType)
{
    QProcess query;
    query.start(u"xdg-mime"_s, {u"query"_s, u"default"_s, mimeType});
    if (!query.waitForFinished(kQueryMilliseconds) || query.exitStatus() != QProcess::NormalExit) {
        query.kill();
        query.waitForFinished();
        return std::nullopt;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
}
#endif

class DesktopHelpOpener : public HelpOpener {
public:
    bool hasViewerFor(const QString &path) override
    {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        // Opening hands the file to xdg-open, which starts even when nothing
        // can show the file; its MIME settings tell whether something can.
        // Desktops file CHM viewers under either of its type's names.
        const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
        const QStringList names = QStringList{type.name()} + type.aliases();
        for (const QString &name : names) {
            const std::optional<bool> known = defaultApplicationKnown(name);
            if (!known || *known) {
                return true;
            }
        }
        return false;
#else
        Q_UNUSED(path)
        return true; // the system's own help viewer is always there
#endif
    }

    bool open(const QString &path) override
    {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        // The desktop's launcher by name, whatever the window system's
        // plugin does with files: a desktop without one is then told apart
        // from one that opens the file.
        const QString launcher = QStandardPaths::findExecutable(u"xdg-open"_s);
        if (!launcher.isEmpty()) {
            return QProcess::startDetached(launcher, {path});
        }
#endif
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

} // namespace

std::unique_ptr<HelpOpener> makeDesktopHelpOpener()
{
    return std::make_unique<DesktopHelpOpener>();
}
