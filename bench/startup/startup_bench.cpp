// Measures, from outside, process start to main window mapped for the editor
// and for two Qt Widgets windows of the same size, one empty and one showing a
// Japanese label, on a private Xvfb display; prints the medians and the
// editor's ratio to each.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>
#include <xcb/xcb.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRuns = 15;
constexpr int kTimeoutMs = 30000;

struct FreeDeleter {
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

class Display {
public:
    explicit Display(const QByteArray &name) : m_connection(xcb_connect(name.constData(), nullptr))
    {
        if (xcb_connection_has_error(m_connection)) {
            return;
        }
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        m_utf8Name = atom("_NET_WM_NAME");
        xcb_flush(m_connection);
    }
    ~Display() { xcb_disconnect(m_connection); }

    bool ok() const { return xcb_connection_has_error(m_connection) == 0; }

    // Waits for a top-level window with this title to be mapped; false on timeout.
    bool waitForMapped(const QString &title, const QElapsedTimer &clock)
    {
        const int fd = xcb_get_file_descriptor(m_connection);
        while (clock.elapsed() < kTimeoutMs) {
            while (auto *raw = xcb_poll_for_event(m_connection)) {
                XcbReply<xcb_generic_event_t> event(raw);
                if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                    auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event.get());
                    if (windowTitle(map->window) == title) {
                        return true;
                    }
                }
            }
            fd_set read;
            FD_ZERO(&read);
            FD_SET(fd, &read);
            timeval wait{0, 2000};
            select(fd + 1, &read, nullptr, nullptr, &wait);
        }
        return false;
    }

private:
    xcb_atom_t atom(const char *name)
    {
        auto cookie = xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(qstrlen(name)), name);
        XcbReply<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(m_connection, cookie, nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    QString windowTitle(xcb_window_t window)
    {
        for (xcb_atom_t property : {m_utf8Name, xcb_atom_t(XCB_ATOM_WM_NAME)}) {
            auto cookie = xcb_get_property(m_connection, 0, window, property,
                                           XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
            XcbReply<xcb_get_property_reply_t> reply(
                xcb_get_property_reply(m_connection, cookie, nullptr));
            if (reply && xcb_get_property_value_length(reply.get()) > 0) {
                return QString::fromUtf8(
                    static_cast<const char *>(xcb_get_property_value(reply.get())),
                    xcb_get_property_value_length(reply.get()));
            }
        }
        return {};
    }

    xcb_connection_t *m_connection;
    xcb_window_t m_root = 0;
    xcb_atom_t m_utf8Name = XCB_ATOM_NONE;
};

// Milliseconds from process start to its window mapped; nullopt on failure.
std::optional<double> measure(Display &display, const QProcessEnvironment &environment,
                              const QString &program, const QStringList &arguments,
                              const QString &title)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    const bool mapped = display.waitForMapped(title, clock);
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
    }
    return mapped ? std::optional<double>(ms) : std::nullopt;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString editor =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VELMORA_EDITOR);
    const QString baseline =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(VELMORA_BASELINE);

    QProcess xvfb;
    xvfb.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s,
                           u"-nolisten"_s, u"tcp"_s});
    if (!xvfb.waitForStarted() || !xvfb.waitForReadyRead(20000)) {
        out << "Xvfb did not start; install it with scripts/setup.sh\n";
        return 1;
    }
    const QByteArray name = ":" + xvfb.readLine().trimmed();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, QString::fromLatin1(name));
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);

    int status = 0;
    {
        Display display(name);
        if (!display.ok()) {
            out << "cannot connect to " << name << '\n';
            return 1;
        }
        struct Subject {
            QString label, program;
            QStringList arguments;
            QString title;
            std::optional<double> aim; // of the editor's ratio to this one
            std::vector<double> times;
        };
        std::vector<Subject> subjects{
            {u"editor"_s, editor, {}, u"Velmora for WMP"_s, {}, {}},
            {u"empty Qt window"_s, baseline, {}, u"Velmora startup baseline"_s, {}, {}},
            {u"Japanese label"_s,
             baseline,
             {u"label"_s},
             u"Velmora startup baseline label"_s,
             1.30,
             {}},
            {u"first frame"_s,
             QStringLiteral(VELMORA_FIRST_FRAME),
             {QFileInfo(editor).absolutePath()},
             u"Velmora startup baseline first frame"_s,
             1.05,
             {}}};
        // One unmeasured round warms the file cache; then the three alternate.
        for (int run = -1; run < kRuns && status == 0; ++run) {
            for (Subject &s : subjects) {
                const auto ms = measure(display, environment, s.program, s.arguments, s.title);
                if (!ms) {
                    out << s.label << ": no window within " << kTimeoutMs << " ms\n";
                    status = 1;
                    break;
                }
                if (run >= 0) {
                    s.times.push_back(*ms);
                }
            }
        }
        if (status == 0) {
            const double editorMs = median(subjects[0].times);
            out << "start-up to window mapped, median of " << kRuns << " runs under Xvfb\n";
            for (const Subject &s : subjects) {
                out << "  " << (s.label + u':').leftJustified(17) << ' '
                    << QString::number(median(s.times), 'f', 1) << " ms\n";
            }
            for (std::size_t i = 1; i < subjects.size(); ++i) {
                const Subject &s = subjects[i];
                out << "  editor / " << (s.label + u':').leftJustified(17) << ' '
                    << QString::number(editorMs / median(s.times), 'f', 2);
                if (s.aim) {
                    out << " (aim: at or below " << QString::number(*s.aim, 'f', 2) << ')';
                }
                out << '\n';
            }
        }
    }
    xvfb.terminate();
    xvfb.waitForFinished();
    return status;
}
