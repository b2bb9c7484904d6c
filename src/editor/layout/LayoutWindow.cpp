#include "LayoutWindow.h"

#include "BoundField.h"
#include "editor/canvas/Arrange.h"
#include "editor/canvas/PanelPlacements.h"
#include "editor/canvas/PreviewCanvas.h"
#include "editor/history/EditHistory.h"
#include "editor/history/EditMenu.h"
#include "editor/history/FieldUndoKeys.h"

#include <QAction>
#include <QBoxLayout>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

const QString kGeometryKey = u"layoutWindow/geometry"_s;

} // namespace

LayoutWindow::LayoutWindow(PanelPlacements &fields, EditHistory &history, PreviewCanvas &looks,
                           SkinSource source, QWidget *parent)
    : QWidget(parent, Qt::Window), m_placements(fields), m_history(history), m_previewCanvas(looks),
      m_source(std::move(source)), m_view(new LayoutView(fields, this))
{
    setObjectName(u"LayoutWindow"_s);
    setSkinFileName({});
    resize(800, 600);
    restoreGeometry(QSettings().value(kGeometryKey).toByteArray());

    auto *strip = new QWidget(this);
    auto *inspector = new QHBoxLayout(strip);
    m_name = new QLabel(strip);
    m_left = new BoundField(strip);
    m_top = new BoundField(strip);
    m_size = new QLabel(strip);
    m_name->setObjectName(u"layoutName"_s);
    m_left->setObjectName(u"layoutLeft"_s);
    m_top->setObjectName(u"layoutTop"_s);
    inspector->addWidget(m_name, 1);
    for (const auto &[caption, field] : {std::pair{u"LEFT"_s, m_left}, {u"TOP"_s, m_top}}) {
        inspector->addWidget(new QLabel(caption, strip));
        field->setMaximumWidth(70);
        inspector->addWidget(field);
    }
    inspector->addWidget(m_size);
    new FieldUndoKeys(history, std::vector<QLineEdit *>{m_left, m_top});

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto *bar = new QMenuBar(this);
    column->setMenuBar(bar);
    auto *tools = new QToolBar(this);
    column->addWidget(tools);
    column->addWidget(m_view, 1);
    column->addWidget(strip);

    buildMenus();
    for (QAction *action : m_arrange) {
        tools->addAction(action);
    }
    tools->addSeparator();
    m_zoom = new QLabel(tools);
    tools->addWidget(m_zoom);

    m_redraw.setSingleShot(true);
    connect(&m_redraw, &QTimer::timeout, this, &LayoutWindow::redraw);
    // A new place is drawn by moving the element's pictures; anything else
    // renders the skin again.
    connect(&history, &EditHistory::valuesChanged, this, [this](QWidget *control) {
        if (!m_placements.placedBy(control)) {
            scheduleRedraw();
        }
    });
    connect(&history, &EditHistory::skinReplaced, this, &LayoutWindow::scheduleRedraw);
    connect(&fields, &PlacementFields::positionChanged, this, [this](qint16 slot) {
        if (!isVisible() || m_redraw.isActive()) {
            return;
        }
        // A place that leaves the element out, or brings it back, needs a
        // new rendering: there are no pictures of it to move.
        if (!m_placements.isPlaced(slot) || !m_view->rectOf(slot)) {
            scheduleRedraw();
            return;
        }
        m_view->follow(slot, m_placements.position(slot));
        followSelection();
    });
    connect(m_view, &LayoutView::selectionChanged, this, &LayoutWindow::followSelection);
    connect(m_view, &LayoutView::zoomChanged, this, &LayoutWindow::showZoom);
    followSelection();
    showZoom();
}

LayoutWindow::~LayoutWindow() = default;

void LayoutWindow::buildMenus()
{
    auto *bar = static_cast<QMenuBar *>(layout()->menuBar());
    fillEditMenu(*bar->addMenu(u"編集(&E)"_s), m_history.stack());

    QMenu *view = bar->addMenu(u"表示(&V)"_s);
    // Ctrl+= too: on many keyboards "+" needs Shift.
    const std::tuple<QString, QList<QKeySequence>, std::function<void()>> zooms[] = {
        {u"拡大(&I)"_s,
         {QKeySequence(u"Ctrl++"_s), QKeySequence(u"Ctrl+="_s)},
         [this] { m_view->zoomIn(); }},
        {u"縮小(&O)"_s, {QKeySequence(u"Ctrl+-"_s)}, [this] { m_view->zoomOut(); }},
        {u"ウィンドウに合わせる(&F)"_s,
         {QKeySequence(u"Ctrl+0"_s)},
         [this] { m_view->fitToWindow(); }},
        {u"100%(&1)"_s, {QKeySequence(u"Ctrl+1"_s)}, [this] { m_view->setZoom(1.0); }},
    };
    for (const auto &[caption, keys, run] : zooms) {
        QAction *action = view->addAction(caption);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, run);
    }
    QAction *all = view->addAction(u"すべて選択(&A)"_s);
    all->setShortcut(QKeySequence::SelectAll);
    connect(all, &QAction::triggered, m_view, &LayoutView::selectAll);
    // The looks are the preview's: made afresh each time, as its menu is.
    view->addSeparator();
    QMenu *looks = view->addMenu(u"プレビューの表示(&P)"_s);
    looks->setObjectName(u"layoutLooks"_s);
    connect(looks, &QMenu::aboutToShow, this, [this, looks] {
        looks->clear();
        m_previewCanvas.addLookEntries(*looks);
    });
    connect(&m_previewCanvas, &PreviewCanvas::optionsChanged, this, &LayoutWindow::scheduleRedraw);

    QMenu *arrangeMenu = bar->addMenu(u"整列(&A)"_s);
    for (const Arrange::Entry &entry : Arrange::entries()) {
        QAction *action =
            arrangeMenu->addAction(Arrange::icon(entry.command), entry.caption.toString());
        const int command = int(entry.command);
        connect(action, &QAction::triggered, this, [this, command] { arrange(command); });
        m_arrange.push_back(action);
        if (entry.command == Arrange::Command::Bottom) {
            arrangeMenu->addSeparator();
        }
    }
}

void LayoutWindow::setSkinFileName(const QString &fileName)
{
    setWindowTitle(u"レイアウト - "_s +
                   (fileName.isEmpty() ? u"新しいスキン"_s : QFileInfo(fileName).fileName()));
}

// Many changes in one turn of the event loop (a load, a move of both
// fields) are drawn once.
void LayoutWindow::scheduleRedraw()
{
    if (isVisible()) {
        m_redraw.start(0);
    }
}

void LayoutWindow::redraw()
{
    m_view->setSkin(m_source(m_kept));
    m_kept.endRound();
    followSelection();
}

void LayoutWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    redraw();
}

// Closed, or gone with the program: its size and place are kept either way.
void LayoutWindow::hideEvent(QHideEvent *event)
{
    QSettings().setValue(kGeometryKey, saveGeometry());
    m_kept.clear();
    QWidget::hideEvent(event);
}

void LayoutWindow::arrange(int command)
{
    const auto chosen = Arrange::Command(command);
    const std::vector<qint16> &selection = m_view->selection();
    const std::vector<QPoint> places =
        Arrange::arrange(chosen, m_view->selectedRects(), m_view->backgroundRect());
    std::vector<std::pair<qint16, QPoint>> positions;
    for (std::size_t i = 0; i < selection.size() && i < places.size(); ++i) {
        positions.emplace_back(selection[i], places[i]);
    }
    const auto entries = Arrange::entries();
    const auto entry =
        std::find_if(entries.begin(), entries.end(),
                     [chosen](const Arrange::Entry &e) { return e.command == chosen; });
    m_placements.setPositions(positions, 0, entry->caption.toString());
}

// The inspector and the arrange commands follow the selection.
void LayoutWindow::followSelection()
{
    const std::vector<qint16> &selection = m_view->selection();
    const std::vector<QRect> rects = m_view->selectedRects();
    for (std::size_t i = 0; i < m_arrange.size(); ++i) {
        m_arrange[i]->setEnabled(
            !rects.empty() &&
            Arrange::changesAnything(Arrange::Command(i), rects, m_view->backgroundRect()));
    }
    const bool one = selection.size() == 1;
    m_name->setText(selection.empty() ? QString()
                    : one             ? m_placements.name(selection.front())
                                      : u"%1個の要素"_s.arg(selection.size()));
    m_left->bind(one ? m_placements.leftField(selection.front()) : nullptr);
    m_top->bind(one ? m_placements.topField(selection.front()) : nullptr);
    QRect bounds;
    for (const QRect &rect : rects) {
        bounds |= rect;
    }
    m_size->setText(bounds.isNull() ? QString()
                                    : u"幅 %1  高さ %2"_s.arg(bounds.width()).arg(bounds.height()));
}

void LayoutWindow::showZoom()
{
    m_zoom->setText(u"%1%"_s.arg(qRound(m_view->zoom() * 100)));
}
