#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "editor/MessageBoxSink.h"
#include "editor/QtTranslations.h"
#include "editor/frmMain.h"

#include <QApplication>
#include <QTimer>

namespace {

// Messages shown before the main window exists also go to the standard error
// stream, so a start-up that ends without a window leaves its reason behind.
class StartupMessageSink : public MessageSink {
public:
    void showMessage(const QString &text, const QString &title, MessageIcon icon) override
    {
        if (starting) {
            ConsoleMessageSink(console.err()).showMessage(text, title, icon);
        }
        boxes.showMessage(text, title, icon);
    }
    bool askYesNo(const QString &text, const QString &title) override
    {
        return boxes.askYesNo(text, title);
    }
    Answer askYesNoCancel(const QString &text, const QString &title) override
    {
        return boxes.askYesNoCancel(text, title);
    }
    void beep() override { boxes.beep(); }

    Console console;
    MessageBoxSink boxes;
    bool starting = true;
};

} // namespace

int main(int argc, char *argv[])
{
    // Commands run before any window system is touched, so they need no display.
    const QStringList arguments = CommandLine::rawArguments(argc, argv);
    if (!CommandLine::startsEditor(arguments)) {
        return CommandLine::run(argc, argv);
    }
    QApplication app(argc, argv);
    CommandLine::setApplicationIdentity();
    QtTranslations::installJapanese(app);

    StartupMessageSink messages;
    frmMain window(messages);
    messages.boxes.setOwner(&window);
    if (!window.Form_Load()) {
        return 1;
    }
    messages.starting = false;
    window.show();
    if (arguments.size() > 1) {
        // Once the window is up, so that a refused file's message shows over it.
        QTimer::singleShot(0, &window,
                           [&window, skin = arguments.at(1)] { window.openSkinFile(skin, false); });
    }
    return QApplication::exec();
}
