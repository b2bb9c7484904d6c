#include "DeferredWork.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>

DeferredWork::DeferredWork(QWidget &window) : QObject(&window), m_window(window)
{
    m_window.installEventFilter(this);
}

void DeferredWork::hold(QWidget &widget, std::function<void()> job)
{
    widget.installEventFilter(this);
    m_jobs.emplace_back(&widget, std::move(job));
}

void DeferredWork::runAll()
{
    runFor(nullptr);
}

void DeferredWork::runFor(const QObject *widget)
{
    // Taken out before any runs: a job may show a widget, whose jobs would
    // then run from inside this loop.
    const auto held =
        std::stable_partition(m_jobs.begin(), m_jobs.end(), [widget](const auto &job) {
            return widget && job.first.data() != widget;
        });
    std::vector<Job> due(std::make_move_iterator(held), std::make_move_iterator(m_jobs.end()));
    m_jobs.erase(held, m_jobs.end());
    for (auto &[target, job] : due) {
        if (target) {
            target->removeEventFilter(this);
            job();
        }
    }
}

bool DeferredWork::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        if (watched == &m_window) {
            // Queued: the window maps without waiting for the rest.
            if (!std::exchange(m_windowShown, true)) {
                QTimer::singleShot(0, this, &DeferredWork::runAll);
            }
        } else {
            runFor(watched);
        }
    }
    return QObject::eventFilter(watched, event);
}
