#pragma once

#include "editor/canvas/ShownSkin.h"
#include "editor/canvas/SkinItems.h"

#include <QAbstractScrollArea>
#include <optional>
#include <vector>

class PlacementFields;

// The skin at any zoom, pixels kept sharp, with several elements selected
// at once. A click takes the topmost picture under the pointer, an area
// only where no picture lies; Ctrl or Shift adds or removes; a band drawn
// from bare background selects what it touches. A drag, the arrows (Shift:
// by 10) move the selection as one step of the edit history, through the
// elements' fields; a drag snaps to the other elements and the background
// (Alt: not). Space-drag or the middle button pans.
class LayoutView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr double kMinZoom = 0.25;
    static constexpr double kMaxZoom = 8.0;
    // How near, in screen pixels, an edge must come to snap.
    static constexpr int kSnapPixels = 6;

    LayoutView(PlacementFields &fields, QWidget *parent = nullptr);

    void setSkin(ShownSkin skin);
    // An element's fields moved it: it is drawn anew there, and judged
    // against the background again, without rendering the skin again.
    void follow(qint16 slot, QPoint position);
    // The skin as the view draws it now, moves included.
    const QImage &shownCanvas() const { return m_canvas; }

    double zoom() const { return m_zoom; }
    // anchor: the viewport point that keeps showing the same skin pixel.
    void setZoom(double zoom, std::optional<QPointF> anchor = std::nullopt);
    void zoomIn();
    void zoomOut();
    void fitToWindow();

    const std::vector<qint16> &selection() const { return m_selection; }
    void setSelection(std::vector<qint16> items);
    void selectAll();
    // Where each selected element lies, in selection order.
    std::vector<QRect> selectedRects() const;
    QRect backgroundRect() const;
    std::optional<QRect> rectOf(qint16 slot) const;

    // Skin pixel under a viewport point, and a skin point's place on screen.
    QPoint toSkin(QPointF viewportPoint) const;
    QPointF toViewport(QPointF skinPoint) const;

signals:
    void selectionChanged();
    void zoomChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    QPointF origin() const;
    void updateBars();
    void moveSelectionBy(QPoint delta, bool snapping);
    void placeScene(const std::vector<std::pair<qint16, QPoint>> &positions);
    void cancelDrag();
    void nudge(QPoint delta);
    void paintMarks(QPainter &painter) const;
    void drawReadout(QPainter &painter, const QRect &near) const;
    QRectF screenRect(const QRect &skinRect) const;

    PlacementFields &m_fields;
    SkinItems m_items;
    QList<SkinFinding> m_problems;
    QImage m_canvas; // the rendering, with moved elements drawn anew while dragging
    double m_zoom = 1.0;
    bool m_fit = true;
    std::vector<qint16> m_selection;

    struct Drag {
        QPoint grab;                                 // skin point pressed
        std::vector<std::pair<qint16, QPoint>> from; // where each selected element was
        QPoint delta;                                // the move so far
    };
    std::optional<Drag> m_drag;
    std::optional<Drag> takeDrag();
    std::optional<QRect> m_band; // rubber band, in skin pixels
    QPoint m_bandStart;
    std::optional<QPoint> m_pan; // viewport point the pan started from
    bool m_spaceHeld = false;
    std::optional<int> m_guideX;
    std::optional<int> m_guideY;
    bool m_showReadout = false;
    QPoint m_pointer{-1, -1}; // viewport
    quint64 m_arrowRun = 1;
};
