#include "ReadoutLabel.h"

#include <QPainter>
#include <QRect>
#include <QString>
#include <algorithm>

void drawReadoutLabel(QPainter &painter, QPoint at, const QString &text, const QRect &visible)
{
    const QRect box = painter.fontMetrics().boundingRect(text).adjusted(-3, -1, 3, 1);
    QRect placed(at, box.size());
    placed.moveLeft(std::clamp(placed.left(), visible.left(),
                               std::max(visible.left(), visible.right() - placed.width())));
    placed.moveTop(std::clamp(placed.top(), visible.top(),
                              std::max(visible.top(), visible.bottom() - placed.height())));
    painter.fillRect(placed, QColor(255, 255, 224, 230));
    painter.setPen(Qt::black);
    painter.drawRect(placed.adjusted(0, 0, -1, -1));
    painter.drawText(placed, Qt::AlignCenter, text);
}
