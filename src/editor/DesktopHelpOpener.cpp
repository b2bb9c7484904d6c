#include "HelpOpener.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// The longest the desktop's MIME settings may take to answer before the
// editor stops waiting and assumes a viewer exists.
constexpr int kQueryMilliseconds = 3000;

class DesktopHelpOpener : public HelpOpener {
public:
    bool hasViewerFor(const QString &path) override
    {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        // Opening hands the file to xdg-open, which starts even when nothing
        // can show the file; its MIME settings tell whether something can.
        const QString type = QMimeDatabase().mimeTypeForFile(path).name();
        QProcess query;
        query.start(u"xdg-mime"_s, {u"query"_s, u"default"_s, type});
        if (!query.waitForFinished(kQueryMilliseconds) ||
            query.exitStatus() != QProcess::NormalExit) {
            query.kill();
            query.waitForFinished();
            return true;
        }
        return !query.readAllStandardOutput().trimmed().isEmpty();
#else
        Q_UNUSED(path)
        return true; // the system's own help viewer is always there
#endif
    }

    bool open(const QString &path) override
    {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

} // namespace

std::unique_ptr<HelpOpener> makeDesktopHelpOpener()
{
    return std::make_unique<DesktopHelpOpener>();
}
