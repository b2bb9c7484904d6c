#include "ImageButton.h"

#include <QMouseEvent>

void ImageButton::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a left press released over the picture.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

void ImageButton::click()
{
    if (isEnabled()) {
        emit clicked();
    }
}
