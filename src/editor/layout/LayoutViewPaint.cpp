// How the layout view draws: the skin at its zoom, the marks of problems,
// the selection, the guides of a snap and the read-out of a drag, and the
// tips that name an element's problems.
#include "LayoutView.h"
#include "editor/canvas/PlacementFields.h"
#include "editor/canvas/PreviewCanvas.h"
#include "editor/canvas/ReadoutLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QColor kSelection(0, 120, 215);
const QColor kProblem(230, 0, 0);
const QColor kGuide(255, 0, 255);

} // namespace

void LayoutView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (!m_canvas.isNull()) {
        const QRect visible =
            QRect(toSkin(QPointF(0, 0)), toSkin(QPointF(viewport()->rect().bottomRight())))
                .adjusted(-1, -1, 1, 1)
                .intersected(m_canvas.rect());
        if (!visible.isEmpty()) {
            painter.drawImage(screenRect(visible), m_canvas, visible);
        }
    }
    paintMarks(painter);
}

void LayoutView::paintMarks(QPainter &painter) const
{
    painter.setBrush(Qt::NoBrush);
    // The preview's own outline, drawn where the area lies at this zoom.
    for (Preview::Area area : m_items.areas()) {
        area.rect = screenRect(area.rect).toRect();
        Preview::drawAreaOutline(painter, area);
    }
    painter.setPen(QPen(kProblem, 2));
    for (const SkinFinding &problem : m_problems) {
        if (const std::optional<QRect> rect =
                problem.slot > Slot::View ? rectOf(problem.slot) : std::nullopt) {
            painter.drawRect(screenRect(*rect).adjusted(1, 1, -1, -1));
        }
    }
    painter.setPen(QPen(kSelection, 2));
    QRect selected;
    for (const QRect &rect : selectedRects()) {
        painter.drawRect(screenRect(rect).adjusted(-1, -1, 1, 1));
        selected |= rect;
    }
    painter.setPen(QPen(kGuide, 1));
    if (m_guideX) {
        const double x = toViewport(QPointF(*m_guideX, 0)).x();
        painter.drawLine(QPointF(x, 0), QPointF(x, viewport()->height()));
    }
    if (m_guideY) {
        const double y = toViewport(QPointF(0, *m_guideY)).y();
        painter.drawLine(QPointF(0, y), QPointF(viewport()->width(), y));
    }
    if (m_band) {
        painter.setPen(QPen(kSelection, 1, Qt::DashLine));
        painter.drawRect(screenRect(*m_band));
    }
    if ((m_drag || m_showReadout) && !selected.isNull()) {
        drawReadout(painter, selected);
    }
}

// The selection's name, LEFT and TOP beside it, inside what the view shows.
void LayoutView::drawReadout(QPainter &painter, const QRect &near) const
{
    const QString name = m_selection.size() == 1 ? m_fields.name(m_selection.front())
                                                 : u"%1個の要素"_s.arg(m_selection.size());
    const QPointF corner = toViewport(QPointF(near.bottomRight() + QPoint(1, 1)));
    drawReadoutLabel(painter, corner.toPoint() + QPoint(8, 8),
                     u"%1  LEFT %2, TOP %3"_s.arg(name).arg(near.left()).arg(near.top()),
                     viewport()->rect());
}

bool LayoutView::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip) {
        return QAbstractScrollArea::viewportEvent(event);
    }
    const auto *help = static_cast<QHelpEvent *>(event);
    const QPoint at = toSkin(help->pos());
    QStringList texts;
    for (const SkinFinding &problem : m_problems) {
        const std::optional<QRect> rect =
            problem.slot > Slot::View ? rectOf(problem.slot) : std::nullopt;
        if (rect && rect->contains(at)) {
            texts.append(m_fields.name(problem.slot) + u"："_s + problemText(m_fields, problem));
        }
    }
    if (texts.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(help->globalPos(), texts.join(u'\n'), viewport());
    }
    return true;
}
