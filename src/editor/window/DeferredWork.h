#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <utility>
#include <vector>

class QWidget;

// Work for widgets that the window's first frame does not show, such as the
// pictures and caption levels of panels other than the first: each job runs
// once, when its widget is first shown, or from the event loop right after
// the window is first shown, whichever comes first. The window maps without
// waiting for it, and a widget never shows without its work done.
class DeferredWork : public QObject {
public:
    explicit DeferredWork(QWidget &window);

    // Holds job until `widget` is shown or the window's first frame is out.
    void hold(QWidget &widget, std::function<void()> job);
    // Runs every job still held, in the order they came.
    void runAll();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Runs the jobs held for widget, or all of them for nullptr.
    void runFor(const QObject *widget);

    using Job = std::pair<QPointer<QWidget>, std::function<void()>>;

    QWidget &m_window;
    std::vector<Job> m_jobs;
    bool m_windowShown = false;
};
