#include "LayoutView.h"

#include "editor/canvas/Arrange.h"
#include "editor/canvas/PlacementFields.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The zoom steps of Ctrl++ and Ctrl+-.
constexpr double kSteps[] = {0.25, 0.5, 1.0, 2.0, 3.0, 4.0, 6.0, 8.0};

} // namespace

LayoutView::LayoutView(PlacementFields &fields, QWidget *parent)
    : QAbstractScrollArea(parent), m_fields(fields)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
}

void LayoutView::setSkin(ShownSkin skin)
{
    m_canvas = std::move(skin.rendering.canvas);
    m_items.set(std::move(skin.rendering.scene), std::move(skin.areas));
    m_problems = std::move(skin.problems);
    if (m_drag) {
        std::vector<std::pair<qint16, QPoint>> moved;
        for (const auto &[slot, from] : m_drag->from) {
            moved.emplace_back(slot, from + m_drag->delta);
        }
        placeScene(moved);
    }
    std::erase_if(m_selection, [this](qint16 slot) { return !rectOf(slot); });
    if (m_fit) {
        fitToWindow();
    }
    updateBars();
    viewport()->update();
}

void LayoutView::follow(qint16 slot, QPoint position)
{
    if (m_drag && std::any_of(m_drag->from.begin(), m_drag->from.end(),
                              [slot](const auto &f) { return f.first == slot; })) {
        return;
    }
    if (!rectOf(slot)) {
        return;
    }
    placeScene({{slot, position}});
    m_problems.removeIf(
        [slot](const SkinFinding &f) { return f.slot == slot && SkinItems::isPlacement(f); });
    if (const std::optional<SkinFinding> finding = m_items.judgePlace(slot)) {
        m_problems.append(*finding);
    }
}

QRect LayoutView::backgroundRect() const
{
    return m_items.background();
}

std::optional<QRect> LayoutView::rectOf(qint16 slot) const
{
    return m_items.rectOf(slot);
}

void LayoutView::setSelection(std::vector<qint16> items)
{
    if (items == m_selection) {
        return;
    }
    m_selection = std::move(items);
    ++m_arrowRun; // a run of arrow moves belongs to one selection
    m_showReadout = false;
    viewport()->update();
    emit selectionChanged();
}

void LayoutView::selectAll()
{
    setSelection(m_items.items());
}

std::vector<QRect> LayoutView::selectedRects() const
{
    std::vector<QRect> rects;
    for (const qint16 slot : m_selection) {
        rects.push_back(rectOf(slot).value_or(QRect()));
    }
    return rects;
}

// The skin's corner on screen: centred while it is smaller than the view.
QPointF LayoutView::origin() const
{
    const QSizeF shown = QSizeF(m_canvas.size()) * m_zoom;
    const double x = shown.width() < viewport()->width() ? (viewport()->width() - shown.width()) / 2
                                                         : -horizontalScrollBar()->value();
    const double y = shown.height() < viewport()->height()
                         ? (viewport()->height() - shown.height()) / 2
                         : -verticalScrollBar()->value();
    return {std::floor(x), std::floor(y)};
}

QPoint LayoutView::toSkin(QPointF viewportPoint) const
{
    const QPointF skin = (viewportPoint - origin()) / m_zoom;
    return {int(std::floor(skin.x())), int(std::floor(skin.y()))};
}

QPointF LayoutView::toViewport(QPointF skinPoint) const
{
    return origin() + skinPoint * m_zoom;
}

QRectF LayoutView::screenRect(const QRect &skinRect) const
{
    return {toViewport(skinRect.topLeft()), QSizeF(skinRect.size()) * m_zoom};
}

void LayoutView::setZoom(double zoom, std::optional<QPointF> anchor)
{
    const QPointF at = anchor.value_or(QPointF(viewport()->rect().center()));
    const QPointF skinAt = (at - origin()) / m_zoom;
    m_zoom = zoom;
    m_fit = false;
    updateBars();
    // The skin pixel under the anchor stays there.
    const QPointF shownAt = skinAt * m_zoom;
    horizontalScrollBar()->setValue(int(std::lround(shownAt.x() - at.x())));
    verticalScrollBar()->setValue(int(std::lround(shownAt.y() - at.y())));
    viewport()->update();
    emit zoomChanged();
}

void LayoutView::zoomIn()
{
    const auto next = std::upper_bound(std::begin(kSteps), std::end(kSteps), m_zoom + 1e-9);
    setZoom(next == std::end(kSteps) ? kMaxZoom : *next);
}

void LayoutView::zoomOut()
{
    const auto below = std::lower_bound(std::begin(kSteps), std::end(kSteps), m_zoom - 1e-9);
    setZoom(below == std::begin(kSteps) ? kMinZoom : *(below - 1));
}

void LayoutView::fitToWindow()
{
    if (!m_canvas.isNull()) {
        m_zoom = std::min(double(viewport()->width()) / m_canvas.width(),
                          double(viewport()->height()) / m_canvas.height());
    }
    m_fit = true;
    updateBars();
    viewport()->update();
    emit zoomChanged();
}

void LayoutView::updateBars()
{
    const QSize shown(int(std::ceil(m_canvas.width() * m_zoom)),
                      int(std::ceil(m_canvas.height() * m_zoom)));
    horizontalScrollBar()->setRange(0, std::max(0, shown.width() - viewport()->width()));
    verticalScrollBar()->setRange(0, std::max(0, shown.height() - viewport()->height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setPageStep(viewport()->height());
}

void LayoutView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_fit) {
        fitToWindow();
    }
    updateBars();
}

void LayoutView::scrollContentsBy(int, int)
{
    viewport()->update();
}

// Only the part of the skin the view shows is scaled, by whole pixels.
void LayoutView::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && m_spaceHeld)) {
        m_pan = at.toPoint();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint skinAt = toSkin(at);
    const std::optional<qint16> hit = m_items.itemAt(skinAt);
    const bool adding = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    if (!hit) {
        if (!adding) {
            setSelection({});
        }
        m_bandStart = skinAt;
        m_band = QRect(skinAt, QSize(1, 1));
        return;
    }
    std::vector<qint16> selection = m_selection;
    const auto found = std::find(selection.begin(), selection.end(), *hit);
    if (adding) {
        if (found == selection.end()) {
            selection.push_back(*hit);
        } else {
            selection.erase(found);
        }
        setSelection(std::move(selection));
        return;
    }
    if (found == selection.end()) {
        setSelection({*hit});
    }
    Drag drag{skinAt, {}, {}};
    for (const qint16 slot : m_selection) {
        drag.from.emplace_back(slot, rectOf(slot).value_or(QRect()).topLeft());
    }
    m_drag = std::move(drag);
}

void LayoutView::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    m_pointer = at.toPoint();
    if (m_pan) {
        const QPoint by = *m_pan - at.toPoint();
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + by.x());
        verticalScrollBar()->setValue(verticalScrollBar()->value() + by.y());
        m_pan = at.toPoint();
        return;
    }
    if (m_drag && !(event->buttons() & Qt::LeftButton)) {
        cancelDrag(); // the release went to another window
    }
    if (m_drag) {
        moveSelectionBy(toSkin(at) - m_drag->grab, !(event->modifiers() & Qt::AltModifier));
    } else if (m_band) {
        const QPoint now = toSkin(at);
        m_band = QRect(m_bandStart, now).normalized();
        viewport()->update();
    }
}

// The selection follows the pointer, snapped as a whole, never past 0 or
// the largest place.
void LayoutView::moveSelectionBy(QPoint delta, bool snapping)
{
    QRect moving;
    std::vector<QRect> others;
    for (const qint16 slot : m_items.items()) {
        const auto from = std::find_if(m_drag->from.begin(), m_drag->from.end(),
                                       [slot](const auto &f) { return f.first == slot; });
        const QRect rect = rectOf(slot).value_or(QRect());
        if (from == m_drag->from.end()) {
            others.push_back(rect);
        } else {
            moving |= rect.translated(from->second - rect.topLeft());
        }
    }
    m_guideX.reset();
    m_guideY.reset();
    if (snapping) {
        const int tolerance = int(std::ceil(kSnapPixels / m_zoom));
        const Arrange::Snap snap =
            Arrange::snap(moving.translated(delta), others, backgroundRect(), tolerance);
        delta += snap.offset;
        m_guideX = snap.guideX;
        m_guideY = snap.guideY;
    }
    // The whole selection stops where its first element would pass 0 or the largest place.
    for (const auto &[slot, from] : m_drag->from) {
        delta = Arrange::withinPlaces(from + delta) - from;
    }
    m_drag->delta = delta;
    std::vector<std::pair<qint16, QPoint>> positions;
    for (const auto &[slot, from] : m_drag->from) {
        positions.emplace_back(slot, from + delta);
    }
    placeScene(positions);
}

// Moved pictures are drawn again where they were and where they are now.
void LayoutView::placeScene(const std::vector<std::pair<qint16, QPoint>> &positions)
{
    const QRect dirty = m_items.place(positions) & m_canvas.rect();
    if (!dirty.isEmpty()) {
        m_items.scene().compose(m_canvas, dirty);
    }
    viewport()->update();
}

void LayoutView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pan && (event->button() == Qt::MiddleButton || event->button() == Qt::LeftButton)) {
        m_pan.reset();
        return;
    }
    if (m_band) {
        const QRect band = *m_band;
        m_band.reset();
        std::vector<qint16> selection =
            event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier) ? m_selection
                                                                           : std::vector<qint16>{};
        for (const qint16 slot : m_items.items()) {
            if (rectOf(slot)->intersects(band) &&
                std::find(selection.begin(), selection.end(), slot) == selection.end()) {
                selection.push_back(slot);
            }
        }
        setSelection(std::move(selection));
        viewport()->update();
        return;
    }
    const std::optional<Drag> drag = takeDrag();
    if (!drag) {
        return;
    }
    ++m_arrowRun;
    if (drag->delta != QPoint()) {
        std::vector<std::pair<qint16, QPoint>> positions;
        for (const auto &[slot, from] : drag->from) {
            positions.emplace_back(slot, from + drag->delta);
        }
        m_fields.setPositions(positions);
    }
    viewport()->update();
}

// The drag ends, its guides with it.
std::optional<LayoutView::Drag> LayoutView::takeDrag()
{
    std::optional<Drag> drag = std::exchange(m_drag, std::nullopt);
    m_guideX.reset();
    m_guideY.reset();
    return drag;
}

void LayoutView::cancelDrag()
{
    if (const std::optional<Drag> drag = takeDrag()) {
        placeScene(drag->from);
    }
}

void LayoutView::focusOutEvent(QFocusEvent *event)
{
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
        cancelDrag();
    }
    QAbstractScrollArea::focusOutEvent(event);
}

// Ctrl+wheel zooms around the pointer; the wheel alone scrolls.
void LayoutView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const double factor = std::pow(1.25, event->angleDelta().y() / 120.0);
    setZoom(std::clamp(m_zoom * factor, kMinZoom, kMaxZoom), event->position());
    event->accept();
}

void LayoutView::nudge(QPoint delta)
{
    std::vector<std::pair<qint16, QPoint>> positions;
    for (const qint16 slot : m_selection) {
        const QPoint from = rectOf(slot).value_or(QRect()).topLeft();
        positions.emplace_back(slot, Arrange::withinPlaces(from + delta));
    }
    m_showReadout = true;
    m_fields.setPositions(positions, m_arrowRun);
}

void LayoutView::keyPressEvent(QKeyEvent *event)
{
    const int step = event->modifiers() & Qt::ShiftModifier ? Arrange::kShiftStep : 1;
    switch (event->key()) {
    case Qt::Key_Left:
        nudge({-step, 0});
        return;
    case Qt::Key_Right:
        nudge({step, 0});
        return;
    case Qt::Key_Up:
        nudge({0, -step});
        return;
    case Qt::Key_Down:
        nudge({0, step});
        return;
    case Qt::Key_Escape:
        cancelDrag();
        setSelection({});
        return;
    case Qt::Key_Space:
        m_spaceHeld = !event->isAutoRepeat() || m_spaceHeld;
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void LayoutView::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        m_spaceHeld = false;
        m_pan.reset();
    }
    QAbstractScrollArea::keyReleaseEvent(event);
}

// A problem's outline tells what is wrong when the pointer rests on it.
