#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "editor/history/SuddenEnds.h"
#include "editor/platform/MessageBoxSink.h"
#include "editor/platform/QtTranslations.h"
#include "editor/window/frmMain.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

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

// Qt ends the program through a fatal message when it finds no window
// system to show the editor on; the user gets the reason and the way out
// instead of an abort.
void noDisplay(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "velmora: the editor needs a display; the commands check, pack, "
                             "unpack and render do not (velmora --help)\n");
        std::_Exit(CommandLine::Usage);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // Commands run before any window system is touched, so they need no display.
    const QStringList arguments = CommandLine::rawArguments(argc, argv);
    if (!CommandLine::startsEditor(arguments)) {
        return CommandLine::run(argc, argv);
    }
    QtTranslations::useJapaneseLocale();
    // The fixed layout counts the menu bar inside the window; a desktop's
    // global menu would take it out and shift every panel up.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    const QtMessageHandler previous = qInstallMessageHandler(noDisplay);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
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
    SuddenEnds::install();
    SuddenEnds::watchWindow(window);
    // Once the window is up, so that a question or a refused file's message
    // shows over it. The offer comes first; a skin given as well then asks
    // before it takes the place of work put back.
    QTimer::singleShot(0, &window, [&window, arguments] {
        const bool restored = window.offerRecovery();
        if (arguments.size() > 1) {
            window.openSkinFile(arguments.at(1), restored);
        }
    });
    return QApplication::exec();
}
