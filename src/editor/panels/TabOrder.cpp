#include "TabOrder.h"

#include "editor/widgets/ColorSwatch.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>
#include <vector>

namespace {

struct Stop {
    QWidget *widget;
    QRect place; // in the panel's coordinates
};

// Fields, buttons, boxes and lists draw their focus; anything else that
// takes it would be a stop the user cannot see.
bool showsFocus(const QWidget &widget)
{
    return qobject_cast<const QLineEdit *>(&widget) || dynamic_cast<const ColorSwatch *>(&widget) ||
           qobject_cast<const QAbstractButton *>(&widget) ||
           qobject_cast<const QComboBox *>(&widget);
}

// Row by row, each row left to right. Controls side by side never line up to
// the pixel (a caption sits lower than its field), so a control belongs to
// the row of the one before it when their middles are closer than half the
// lower one's height.
void sortReadingOrder(std::vector<Stop> &stops)
{
    std::stable_sort(stops.begin(), stops.end(), [](const Stop &a, const Stop &b) {
        return a.place.center().y() < b.place.center().y();
    });
    auto rowStart = stops.begin();
    for (auto it = stops.begin(); it != stops.end(); ++it) {
        const int tolerance = std::min(rowStart->place.height(), it->place.height()) / 2;
        if (it->place.center().y() - rowStart->place.center().y() > tolerance) {
            std::stable_sort(rowStart, it, [](const Stop &a, const Stop &b) {
                return a.place.left() < b.place.left();
            });
            rowStart = it;
        }
    }
    std::stable_sort(rowStart, stops.end(),
                     [](const Stop &a, const Stop &b) { return a.place.left() < b.place.left(); });
}

// The section a stop belongs to: the frame (a direct child of the panel) that
// holds it or, for a box that heads a frame from outside it, the frame under
// its middle; a stop outside every frame is a section of its own.
QWidget *sectionOf(QWidget *panel, QWidget *stop)
{
    QWidget *top = stop;
    while (top->parentWidget() != panel) {
        top = top->parentWidget();
    }
    if (top != stop) {
        return top;
    }
    for (QObject *child : panel->children()) {
        auto *frame = qobject_cast<QWidget *>(child);
        // The box sits on the frame's top edge, its middle maybe just above it.
        if (frame && frame != stop && frame->focusPolicy() == Qt::NoFocus &&
            frame->geometry()
                .adjusted(0, -stop->height(), 0, 0)
                .contains(stop->geometry().center())) {
            return frame;
        }
    }
    return stop;
}

std::vector<QWidget *> stopsInReadingOrder(QWidget *panel)
{
    std::vector<Stop> sections;
    std::vector<std::vector<Stop>> members;
    for (QWidget *widget : panel->findChildren<QWidget *>()) {
        if (!(widget->focusPolicy() & Qt::TabFocus)) {
            continue;
        }
        if (!showsFocus(*widget)) {
            widget->setFocusPolicy(Qt::NoFocus);
            continue;
        }
        QWidget *section = sectionOf(panel, widget);
        auto found = std::find_if(sections.begin(), sections.end(),
                                  [section](const Stop &s) { return s.widget == section; });
        if (found == sections.end()) {
            sections.push_back({section, section->geometry()});
            members.emplace_back();
            found = sections.end() - 1;
        }
        members[std::size_t(found - sections.begin())].push_back(
            {widget, QRect(widget->mapTo(panel, QPoint(0, 0)), widget->size())});
    }
    std::vector<Stop> ordered = sections;
    sortReadingOrder(ordered);
    std::vector<QWidget *> stops;
    for (const Stop &section : ordered) {
        const auto index = std::size_t(
            std::find_if(sections.begin(), sections.end(),
                         [&section](const Stop &s) { return s.widget == section.widget; }) -
            sections.begin());
        std::vector<Stop> &inside = members[index];
        sortReadingOrder(inside);
        for (const Stop &stop : inside) {
            stops.push_back(stop.widget);
        }
    }
    return stops;
}

} // namespace

void TabOrder::followReadingOrder(std::span<QWidget *const> panels)
{
    QWidget *previous = nullptr;
    for (QWidget *panel : panels) {
        for (QWidget *stop : stopsInReadingOrder(panel)) {
            if (previous) {
                QWidget::setTabOrder(previous, stop);
            }
            previous = stop;
        }
    }
}
