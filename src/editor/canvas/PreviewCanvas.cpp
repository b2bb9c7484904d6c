#include "PreviewCanvas.h"

#include "Arrange.h"
#include "PlacementFields.h"
#include "ReadoutLabel.h"
#include "editor/widgets/PictureBox.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

const QColor kSelection(0, 120, 215);
const QColor kProblem(230, 0, 0);
// A picture that cannot be read has no size: a mark of this size shows where it goes.
constexpr QSize kUnsizedMark(16, 16);

} // namespace

QString problemText(const PlacementFields &fields, const SkinFinding &finding)
{
    return finding.message(fields.caption(finding.slot, finding.attribute),
                           QFileInfo(finding.image).fileName());
}

// Paints the outlines, marks and labels over the canvas; the mouse goes
// through it to the canvas.
class PreviewCanvas::Overlay : public QWidget {
public:
    Overlay(PreviewCanvas &owner, QWidget &canvas) : QWidget(&canvas), m_owner(owner)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        resize(canvas.size());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_owner.paintOverlay(painter);
    }

private:
    PreviewCanvas &m_owner;
};

PreviewCanvas::PreviewCanvas(PictureBox &canvas, PlacementFields &fields, QObject *parent)
    : QObject(parent), m_canvas(canvas), m_fields(fields), m_overlay(new Overlay(*this, canvas))
{
    m_items.setAreasTaken(false); // until they are outlined
    m_canvas.setMouseTracking(true);
    m_canvas.setFocusPolicy(Qt::ClickFocus);
    m_canvas.installEventFilter(this);
    connect(&m_fields, &PlacementFields::positionChanged, this, &PreviewCanvas::follow);
}

PreviewCanvas::~PreviewCanvas() = default;

void PreviewCanvas::show(Preview::Rendering rendering, std::vector<Preview::Area> areas,
                         QList<SkinFinding> problems)
{
    m_items.set(std::move(rendering.scene), std::move(areas));
    m_outdated = false;
    m_problems.clear();
    for (const SkinFinding &finding : problems) {
        const bool placed = SkinItems::isPlacement(finding);
        if (finding.slot <= Slot::View) { // the skin, its theme and background are not placed
            continue;
        }
        m_problems.push_back(
            {finding.slot,
             placed ? finding.place : QRect(m_fields.position(finding.slot), kUnsizedMark),
             problemText(m_fields, finding), placed});
    }
    if (m_selected && !rectOf(*m_selected)) {
        select(std::nullopt);
    }
    m_overlay->update();
}

void PreviewCanvas::release()
{
    m_items.clear();
    m_outdated = false;
    m_problems.clear();
    m_drag.reset();
    select(std::nullopt);
}

// While an element is dragged the canvas shows the pointer's place, which
// its fields take on release.
void PreviewCanvas::follow(qint16 slot)
{
    if ((m_drag && m_drag->slot == slot) || m_items.scene().background.isNull()) {
        return;
    }
    // An element that its place leaves out, or brings back, is drawn by a
    // new rendering; it has no pictures here to move.
    if (!m_fields.isPlaced(slot) || !rectOf(slot)) {
        if (!m_outdated) {
            m_outdated = true;
            emit renderingOutdated();
        }
        return;
    }
    place(slot, m_fields.position(slot));
}

void PreviewCanvas::cancelDrag()
{
    if (!m_drag) {
        return;
    }
    const Drag drag = *m_drag;
    m_drag.reset();
    place(drag.slot, drag.from);
}

std::optional<qint16> PreviewCanvas::itemAt(QPoint point) const
{
    return m_items.itemAt(point);
}

std::optional<QRect> PreviewCanvas::rectOf(qint16 slot) const
{
    return m_items.rectOf(slot);
}

QString PreviewCanvas::nameOf(qint16 slot) const
{
    for (const Preview::Area &area : m_items.areas()) {
        if (area.slot == slot) {
            return area.name;
        }
    }
    return m_fields.name(slot);
}

// Moves the element's pictures and draws again only where it was and where
// it is now.
void PreviewCanvas::place(qint16 slot, QPoint position)
{
    const QRect pictures = m_items.place({{slot, position}});
    if (!pictures.isNull()) {
        m_canvas.redrawArea(pictures, [this, pictures](QImage &drawing) {
            m_items.scene().compose(drawing, pictures);
        });
    }
    placeProblems(slot);
    // The selection's outline and the labels reach a little past the element.
    m_overlay->update();
}

// A moved element is judged again against the background, as the check
// would after the next rendering.
void PreviewCanvas::placeProblems(qint16 slot)
{
    if (!m_items.rectOf(slot)) {
        return;
    }
    std::erase_if(m_problems, [slot](const Problem &problem) {
        return problem.slot == slot && problem.placed;
    });
    if (const std::optional<SkinFinding> finding = m_items.judgePlace(slot)) {
        m_problems.push_back({slot, finding->place, finding->message(), true});
    }
}

bool PreviewCanvas::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &m_canvas) {
        return false;
    }
    switch (event->type()) {
    case QEvent::Resize:
        m_overlay->resize(m_canvas.size());
        return false;
    case QEvent::MouseButtonPress:
        mousePress(*static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseMove:
        mouseMove(*static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonRelease:
        mouseRelease();
        return true;
    case QEvent::FocusOut:
        // A dialog or another window took over in the middle of a drag: the
        // release will never come.
        if (const auto reason = static_cast<QFocusEvent *>(event)->reason();
            reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
            cancelDrag();
        }
        return false;
    case QEvent::Leave:
        m_pointer = {-1, -1};
        m_overlay->update();
        return false;
    case QEvent::KeyPress:
        return keyPress(*static_cast<QKeyEvent *>(event));
    case QEvent::ContextMenu:
        contextMenu(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    case QEvent::ToolTip: {
        const auto *help = static_cast<QHelpEvent *>(event);
        QStringList texts;
        for (const Problem &problem : m_problems) {
            if (problem.rect.contains(help->pos())) {
                texts.append(nameOf(problem.slot) + u"："_s + problem.text);
            }
        }
        if (texts.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), texts.join(u'\n'), &m_canvas);
        }
        return true;
    }
    default:
        return false;
    }
}

void PreviewCanvas::mousePress(const QMouseEvent &event)
{
    if (event.button() != Qt::LeftButton) {
        return;
    }
    m_canvas.setFocus(Qt::MouseFocusReason);
    const QPoint at = event.position().toPoint();
    const std::optional<qint16> hit = itemAt(at);
    select(hit);
    if (hit) {
        const QPoint corner = rectOf(*hit)->topLeft();
        m_drag = Drag{*hit, at - corner, corner};
    }
}

void PreviewCanvas::mouseMove(const QMouseEvent &event)
{
    m_pointer = event.position().toPoint();
    if (m_drag && !(event.buttons() & Qt::LeftButton)) {
        cancelDrag();
    }
    if (m_drag) {
        place(m_drag->slot, Arrange::withinPlaces(m_pointer - m_drag->grab));
        return;
    }
    m_overlay->update();
}

void PreviewCanvas::mouseRelease()
{
    if (!m_drag) {
        return;
    }
    const Drag drag = *m_drag;
    m_drag.reset();
    ++m_arrowRun;
    const QPoint to = rectOf(drag.slot).value_or(QRect(drag.from, QSize())).topLeft();
    if (to != drag.from) {
        m_fields.setPosition(drag.slot, to);
    }
    m_overlay->update();
}

bool PreviewCanvas::keyPress(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Escape) {
        select(std::nullopt);
        return true;
    }
    const int step = event.modifiers() & Qt::ShiftModifier ? Arrange::kShiftStep : 1;
    QPoint delta;
    switch (event.key()) {
    case Qt::Key_Left:
        delta = {-step, 0};
        break;
    case Qt::Key_Right:
        delta = {step, 0};
        break;
    case Qt::Key_Up:
        delta = {0, -step};
        break;
    case Qt::Key_Down:
        delta = {0, step};
        break;
    default:
        return false;
    }
    const std::optional<QRect> rect = m_selected ? rectOf(*m_selected) : std::nullopt;
    if (!rect) {
        return false;
    }
    const QPoint to = Arrange::withinPlaces(rect->topLeft() + delta);
    if (to != rect->topLeft()) {
        m_fields.setPosition(*m_selected, to, m_arrowRun);
    }
    return true;
}

void PreviewCanvas::contextMenu(QPoint global)
{
    QMenu menu(&m_canvas);
    addLookEntries(menu);
    if (!m_menuActions.isEmpty()) {
        menu.addSeparator();
        menu.addActions(m_menuActions);
    }
    menu.exec(global);
}

void PreviewCanvas::addLookEntries(QMenu &menu)
{
    auto *looks = new QActionGroup(&menu);
    constexpr std::pair<QStringView, Preview::ButtonLook> kLooks[] = {
        {u"ボタン：通常の画像", Preview::ButtonLook::Normal},
        {u"ボタン：カーソルが上にきた時の画像", Preview::ButtonLook::Hover},
        {u"ボタン：クリックした時の画像", Preview::ButtonLook::Pressed},
    };
    for (const auto &row : kLooks) {
        const Preview::ButtonLook look = row.second;
        QAction *action = menu.addAction(row.first.toString());
        action->setCheckable(true);
        action->setChecked(m_options.look == look);
        action->setActionGroup(looks);
        connect(action, &QAction::triggered, this, [this, look] {
            Preview::RenderOptions options = m_options;
            options.look = look;
            setOptions(options, m_outlines);
        });
    }
    menu.addSeparator();
    const auto toggle = [this, &menu](const QString &caption, bool on, auto change) {
        QAction *action = menu.addAction(caption);
        action->setCheckable(true);
        action->setChecked(on);
        connect(action, &QAction::toggled, this, [this, change](bool state) {
            Preview::RenderOptions options = m_options;
            bool outlines = m_outlines;
            change(options, outlines, state);
            setOptions(options, outlines);
        });
    };
    toggle(u"スライダーの背景画像を表示"_s, m_options.sliderBackgrounds,
           [](Preview::RenderOptions &o, bool &, bool on) { o.sliderBackgrounds = on; });
    toggle(u"プレイリスト・トラック表示・ビデオの枠を表示"_s, m_outlines,
           [](Preview::RenderOptions &, bool &outlines, bool on) { outlines = on; });
    toggle(u"透過色を市松模様で表示"_s, m_options.shape,
           [](Preview::RenderOptions &o, bool &, bool on) { o.shape = on; });
}

void PreviewCanvas::setOptions(const Preview::RenderOptions &options, bool outlines)
{
    m_options = options;
    m_outlines = outlines;
    m_items.setAreasTaken(outlines);
    emit optionsChanged();
}

void PreviewCanvas::select(std::optional<qint16> slot)
{
    if (slot != m_selected) {
        ++m_arrowRun; // a run of arrow moves belongs to one element
    }
    m_selected = slot;
    m_overlay->update();
}

void PreviewCanvas::paintOverlay(QPainter &painter) const
{
    if (m_outlines) {
        for (const Preview::Area &area : m_items.areas()) {
            Preview::drawAreaOutline(painter, area);
        }
    }
    painter.setBrush(Qt::NoBrush);
    for (const Problem &problem : m_problems) {
        // An element wholly off the canvas is marked at the nearest edge.
        QRect mark = problem.rect;
        mark.moveLeft(std::clamp(mark.left(), 0, std::max(0, m_canvas.width() - mark.width())));
        mark.moveTop(std::clamp(mark.top(), 0, std::max(0, m_canvas.height() - mark.height())));
        painter.setPen(QPen(kProblem, 2));
        painter.drawRect(mark.adjusted(1, 1, -1, -1));
    }
    if (const std::optional<QRect> selected = m_selected ? rectOf(*m_selected) : std::nullopt) {
        painter.setPen(QPen(kSelection, 1));
        painter.drawRect(selected->adjusted(-1, -1, 0, 0));
    }
    if (m_drag) {
        const QPoint at = rectOf(m_drag->slot).value_or(QRect()).topLeft();
        drawReadoutLabel(painter, m_pointer + QPoint(12, 12),
                         u"%1  LEFT %2, TOP %3"_s.arg(nameOf(m_drag->slot)).arg(at.x()).arg(at.y()),
                         m_canvas.visibleRegion().boundingRect());
    } else if (m_pointer.x() >= 0) {
        const std::optional<qint16> under = itemAt(m_pointer);
        const QString text = u"%1, %2"_s.arg(m_pointer.x()).arg(m_pointer.y()) +
                             (under ? u"  "_s + nameOf(*under) : QString());
        // The corner of the part of the canvas the panel shows.
        const QRect visible = m_canvas.visibleRegion().boundingRect();
        drawReadoutLabel(painter, visible.topLeft() + QPoint(2, 2), text, visible);
    }
}
