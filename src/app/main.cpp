#include "editor/MessageBoxSink.h"
#include "editor/frmMain.h"
#include "util/VersionInfo.h"

#include <QApplication>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Messages shown before the main window exists also go to the standard error
// stream, so a start-up that ends without a window leaves its reason behind.
class StartupMessageSink : public MessageSink {
public:
    void showMessage(const QString &text, const QString &title, MessageIcon icon) override
    {
        if (starting) {
            std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(text));
        }
        boxes.showMessage(text, title, icon);
    }
    bool askYesNo(const QString &text, const QString &title) override
    {
        return boxes.askYesNo(text, title);
    }

    MessageBoxSink boxes;
    bool starting = true;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const VersionInfo version = VersionInfo::program();
    QApplication::setApplicationName(version.title);
    QApplication::setApplicationVersion(version.number());

    StartupMessageSink messages;
    frmMain window(messages);
    messages.boxes.setOwner(&window);
    if (!window.Form_Load()) {
        return 1;
    }
    messages.starting = false;
    window.show();
    return QApplication::exec();
}
