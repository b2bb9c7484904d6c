#include "FileDropFilter.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

FileDropFilter::FileDropFilter(Accepts accepts, Drop drop, QObject *parent)
    : QObject(parent), m_accepts(std::move(accepts)), m_drop(std::move(drop))
{
}

void FileDropFilter::watch(QWidget *widget)
{
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
}

std::optional<QString> FileDropFilter::droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls()) {
        return std::nullopt;
    }
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile()) {
        return std::nullopt;
    }
    return urls.constFirst().toLocalFile();
}

bool FileDropFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return false;
    }
    auto *drag = static_cast<QDropEvent *>(event);
    auto *target = qobject_cast<QWidget *>(watched);
    if (!target || !drag->mimeData()->hasUrls()) {
        return false; // text and other data: the widget's own business
    }
    const std::optional<QString> path = droppedFile(drag->mimeData());
    if (!path || !m_accepts(target, *path)) {
        drag->ignore();
        return true;
    }
    drag->acceptProposedAction();
    if (type == QEvent::Drop) {
        m_drop(target, *path);
    }
    return true;
}
