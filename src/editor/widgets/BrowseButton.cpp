#include "BrowseButton.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

constexpr qreal kDotRadius = 2.0;
constexpr qreal kDotSpacing = 7.0;

} // namespace

void BrowseButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    QPointF middle = QRectF(rect()).center();
    if (isDown()) {
        middle += QPointF(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                          style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    // Greyed dots as the window system greys a caption: dark grey over a
    // white shadow, where a plain disabled text colour would all but vanish.
    const bool on = isEnabled();
    const QColor ink = on ? palette().color(QPalette::Active, QPalette::ButtonText)
                          : palette().color(QPalette::Active, QPalette::Dark);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    for (qreal dx : {-kDotSpacing / 2, kDotSpacing / 2}) {
        const QPointF centre = middle + QPointF(dx, 0);
        if (!on) {
            painter.setBrush(palette().color(QPalette::Active, QPalette::Light));
            painter.drawEllipse(centre + QPointF(1, 1), kDotRadius, kDotRadius);
        }
        painter.setBrush(ink);
        painter.drawEllipse(centre, kDotRadius, kDotRadius);
    }
}
