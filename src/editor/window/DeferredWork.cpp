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
    // Taken out first: a job may show a widget, whose own jobs are then among these.
    auto jobs = std::exchange(m_jobs, {});
    for (auto &[widget, job] : jobs) {
        if (widget) {
            widget->removeEventFilter(this);
            job();
        }
    }
}

void DeferredWork::runFor(const QObject *widget)
{
    const auto held =
        std::stable_partition(m_jobs.begin(), m_jobs.end(),
                              [widget](const auto &entry) { return entry.first.data() != widget; });
    std::vector<std::function<void()>> due;
    for (auto it = held; it != m_jobs.end(); ++it) {
        due.push_back(std::move(it->second));
    }
    m_jobs.erase(held, m_jobs.end());
    for (const auto &job : due) {
        job();
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
            watched->removeEventFilter(this);
            runFor(watched);
        }
    }
    return QObject::eventFilter(watched, event);
}
