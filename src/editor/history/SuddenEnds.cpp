#include "SuddenEnds.h"

#include "Recovery.h"
#include "util/Interrupt.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

// The handler only passes the signal on: the work is done in the event loop,
// where the panels can be read.
int g_signalPipe[2] = {-1, -1};

extern "C" void passSignal(int number)
{
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[0], &byte, 1);
}

void writeRecovery()
{
    if (Recovery *recovery = Recovery::current()) {
        recovery->writeNow();
        recovery->keep();
    }
}

void endBySignal()
{
    char number = 0;
    if (::read(g_signalPipe[1], &number, 1) != 1) {
        return;
    }
    writeRecovery();
    Interrupt::request(number);
    // Work that must take back what it made stops first; whoever holds it
    // then ends the program.
    if (Interrupt::held()) {
        return;
    }
    // Ended as the signal asks, so whoever sent it sees it did.
    Interrupt::endAsAsked();
}

// Owned by the window it watches: it goes with the window, and going it
// takes itself out of the application's filters.
class DestroyedWindowFilter : public QObject, public QAbstractNativeEventFilter {
public:
    explicit DestroyedWindowFilter(QWidget &window) : QObject(&window), m_window(&window) {}

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t" || !m_window) {
            return false;
        }
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY ||
            reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window !=
                m_window->winId()) {
            return false;
        }
        writeRecovery();
        // Not quit(): that would first ask the gone window whether it may close.
        QCoreApplication::exit(0);
        return true;
    }

private:
    QPointer<QWidget> m_window;
};

} // namespace

namespace SuddenEnds {

void install()
{
    static bool installed = false;
    if (installed || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) {
        return;
    }
    installed = true;
    auto *notifier =
        new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { endBySignal(); });
    struct sigaction action {};
    action.sa_handler = passSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // A display that goes away first shows as SIGPIPE on the connection to it.
    for (const int number : {SIGTERM, SIGHUP, SIGINT, SIGPIPE}) {
        ::sigaction(number, &action, nullptr);
    }
    // The window system's library ends the program with exit() when the
    // display goes away; the panels are still there to be read.
    std::atexit([] { writeRecovery(); });
}

void watchWindow(QWidget &window)
{
    QCoreApplication::instance()->installNativeEventFilter(new DestroyedWindowFilter(window));
}

} // namespace SuddenEnds
