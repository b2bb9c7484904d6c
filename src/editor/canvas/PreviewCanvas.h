#pragma once

#include "SkinItems.h"
#include "render/AreaOutlines.h"
#include "render/PreviewRenderer.h"
#include "render/SkinCheck.h"

#include <QList>
#include <QObject>
#include <optional>
#include <vector>

class PictureBox;
class QAction;
class QMenu;
class PlacementFields;
class QKeyEvent;
class QMouseEvent;
class QPainter;
class QWidget;

// What is wrong, as the canvases' tips say it: a value by its field's
// caption, a picture by its file name.
QString problemText(const PlacementFields &fields, const SkinFinding &finding);

// The preview as a layout tool, over the canvas that shows the renderer's
// picture: press on an element and drag it, or select it and move it with
// the arrow keys (Shift: by 10); every move lands in the element's LEFT and
// TOP fields as a step of the edit history, and the canvas follows those
// fields whatever changes them. Hovering shows the pointer's
// pixel and the element under it; a right click offers the buttons' hover
// and pressed looks, the sliders' backgrounds, outlines of the areas the
// skin gives no picture (which move the same way) and the window's shape.
// What the skin check finds is outlined in red, its tool tip saying why.
// Everything but the chosen looks is drawn over the picture, never into it.
class PreviewCanvas : public QObject {
    Q_OBJECT
public:
    PreviewCanvas(PictureBox &canvas, PlacementFields &fields, QObject *parent = nullptr);
    ~PreviewCanvas() override;

    // A new rendering, with the areas and the findings of the same document;
    // its decoded pictures are kept for moves until release().
    void show(Preview::Rendering rendering, std::vector<Preview::Area> areas,
              QList<SkinFinding> problems);
    // The panel is left or the skin replaced: the pictures go, and with
    // them the selection and any drag.
    void release();

    const Preview::RenderOptions &options() const { return m_options; }
    // What the context menu sets: the looks, and the areas' outlines.
    void setOptions(const Preview::RenderOptions &options, bool outlines);

    // Something the skin check found, outlined where the element would be.
    struct Problem {
        qint16 slot;
        QRect rect;
        QString text;
        bool placed = false; // about where the element lies: judged again as it moves
    };
    const std::vector<Problem> &problems() const { return m_problems; }
    std::optional<qint16> selection() const { return m_selected; }
    // The looks the context menu offers (buttons' images, sliders'
    // backgrounds, areas' outlines, the window's shape), for any menu that
    // sets them: the preview and the layout window share one set.
    void addLookEntries(QMenu &menu);
    // An entry the context menu offers after its own.
    void addMenuAction(QAction *action) { m_menuActions.append(action); }

signals:
    // A look was chosen: the preview must be rendered again.
    void optionsChanged();
    // An element's place now leaves it out or brings it back: the preview
    // must be rendered again.
    void renderingOutdated();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class Overlay;

    // Redraws an element where its fields now place it.
    void follow(qint16 slot);
    // A drag that lost its mouse button ends as if it never began.
    void cancelDrag();
    std::optional<qint16> itemAt(QPoint point) const;
    std::optional<QRect> rectOf(qint16 slot) const;
    QString nameOf(qint16 slot) const;
    void place(qint16 slot, QPoint position);
    void placeProblems(qint16 slot);
    void mousePress(const QMouseEvent &event);
    void mouseMove(const QMouseEvent &event);
    void mouseRelease();
    bool keyPress(const QKeyEvent &event);
    void contextMenu(QPoint global);
    void select(std::optional<qint16> slot);
    void paintOverlay(QPainter &painter) const;

    PictureBox &m_canvas;
    PlacementFields &m_fields;
    Overlay *m_overlay;
    QList<QAction *> m_menuActions;
    Preview::RenderOptions m_options;
    bool m_outlines = false;

    SkinItems m_items;
    std::vector<Problem> m_problems;
    bool m_outdated = false; // a new rendering was asked for and has not come

    std::optional<qint16> m_selected;
    struct Drag {
        qint16 slot;
        QPoint grab; // the pointer's offset from the element's corner
        QPoint from;
    };
    std::optional<Drag> m_drag;
    quint64 m_arrowRun = 1; // arrow moves with the same number merge into one step
    QPoint m_pointer{-1, -1};
};
