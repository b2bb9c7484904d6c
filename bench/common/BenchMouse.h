#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// A mouse event with the left button, as a drag sends them: pressed and held
// while it moves, let go on release.
inline void sendLeftButton(QWidget &widget, QEvent::Type type, QPoint at)
{
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}
