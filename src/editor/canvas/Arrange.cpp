#include "Arrange.h"

#include "wms/WmsFields.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <numeric>

namespace Arrange {
namespace {

enum class Axis { X, Y };
// Which line of each rect a command puts in place; Between spaces them out.
enum class Line { Start, Centre, End, Between };
constexpr Line kEdgeLines[] = {Line::Start, Line::Centre, Line::End};

struct Rule {
    Entry entry;
    Axis axis;
    Line line;
};

constexpr Rule kRules[] = {
    {{Command::Left, u"左揃え"}, Axis::X, Line::Start},
    {{Command::HCenter, u"左右中央揃え"}, Axis::X, Line::Centre},
    {{Command::Right, u"右揃え"}, Axis::X, Line::End},
    {{Command::Top, u"上揃え"}, Axis::Y, Line::Start},
    {{Command::VCenter, u"上下中央揃え"}, Axis::Y, Line::Centre},
    {{Command::Bottom, u"下揃え"}, Axis::Y, Line::End},
    {{Command::DistributeH, u"左右に等間隔に配置"}, Axis::X, Line::Between},
    {{Command::DistributeV, u"上下に等間隔に配置"}, Axis::Y, Line::Between},
};

constexpr auto kEntries = [] {
    std::array<Entry, std::size(kRules)> out{};
    std::transform(std::begin(kRules), std::end(kRules), out.begin(),
                   [](const Rule &rule) { return rule.entry; });
    return out;
}();

const Rule &ruleOf(Command command)
{
    return *std::find_if(std::begin(kRules), std::end(kRules),
                         [command](const Rule &rule) { return rule.entry.command == command; });
}

// A rect seen along one axis. Wide integers, so that sums of far places and
// large sizes cannot overflow before they are clamped.
struct Span {
    long long start;
    long long size;
};

Span spanOf(QRect rect, Axis axis)
{
    return axis == Axis::X ? Span{rect.left(), std::max(0, rect.width())}
                           : Span{rect.top(), std::max(0, rect.height())};
}

long long lineOf(Span span, Line line)
{
    switch (line) {
    case Line::Centre:
        return span.start + span.size / 2;
    case Line::End:
        return span.start + span.size;
    case Line::Start:
    case Line::Between:
        break;
    }
    return span.start;
}

// The start that puts the span's line on `at`.
long long startFor(Span span, Line line, long long at)
{
    return at - (lineOf(span, line) - span.start);
}

bool withinPlaces(long long place)
{
    return place >= 0 && place <= WmsFields::kMaxPlace;
}

int clampedPlace(long long place)
{
    return int(std::clamp<long long>(place, 0, WmsFields::kMaxPlace));
}

std::vector<Span> spansOf(const std::vector<QRect> &rects, Axis axis)
{
    std::vector<Span> spans;
    spans.reserve(rects.size());
    for (const QRect &rect : rects)
        spans.push_back(spanOf(rect, axis));
    return spans;
}

// Computed here rather than with QRect::united, which passes over rects of no size.
Span boundsOf(const std::vector<Span> &spans)
{
    long long start = spans.front().start;
    long long end = lineOf(spans.front(), Line::End);
    for (const Span &span : spans) {
        start = std::min(start, span.start);
        end = std::max(end, lineOf(span, Line::End));
    }
    return {start, end - start};
}

void align(Line line, std::vector<Span> &spans, std::optional<Span> background)
{
    if (spans.empty() || (spans.size() == 1 && !background))
        return;
    const Span target = spans.size() == 1 ? *background : boundsOf(spans);
    const long long at = lineOf(target, line);
    for (Span &span : spans)
        span.start = startFor(span, line, at);
}

void distribute(std::vector<Span> &spans)
{
    if (spans.size() < 3)
        return;
    std::vector<std::size_t> order(spans.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&spans](std::size_t a, std::size_t b) {
        return spans[a].start < spans[b].start;
    });
    const Span &first = spans[order.front()];
    long long space = spans[order.back()].start - lineOf(first, Line::End);
    for (std::size_t k = 1; k + 1 < order.size(); ++k)
        space -= spans[order[k]].size;
    // Floor division, so that overlapping rects get equal negative gaps too.
    const auto gaps = static_cast<long long>(order.size() - 1);
    long long gap = space / gaps;
    if (space % gaps < 0)
        --gap;
    const long long wider = space - gap * gaps;
    long long at = lineOf(first, Line::End);
    for (std::size_t k = 1; k + 1 < order.size(); ++k) {
        at += gap + (static_cast<long long>(k) <= wider ? 1 : 0);
        spans[order[k]].start = at;
        at += spans[order[k]].size;
    }
}

struct AxisSnap {
    long long offset;
    long long guide;
};

std::optional<AxisSnap> snapAxis(Span moving, const std::vector<Span> &targets, int tolerance)
{
    std::optional<AxisSnap> best;
    for (const Span &target : targets) {
        for (Line to : kEdgeLines) {
            for (Line from : kEdgeLines) {
                const long long offset = lineOf(target, to) - lineOf(moving, from);
                if (std::llabs(offset) > tolerance || !withinPlaces(moving.start + offset))
                    continue;
                if (!best || std::llabs(offset) < std::llabs(best->offset))
                    best = AxisSnap{offset, lineOf(target, to)};
            }
        }
    }
    return best;
}

std::optional<int> guideOf(const std::optional<AxisSnap> &snap)
{
    if (!snap)
        return std::nullopt;
    return int(std::clamp<long long>(snap->guide, std::numeric_limits<int>::min(),
                                     std::numeric_limits<int>::max()));
}

// The icons: three boxes in a 24-pixel square, as a command along x leaves
// them; the commands along y show them transposed.
constexpr int kIconSide = 24;
constexpr int kDenseScale = 2;
constexpr QRect kAlignBoxes[] = {{2, 4, 14, 4}, {6, 10, 16, 4}, {12, 16, 8, 4}};
constexpr QRect kDistributeBoxes[] = {{1, 7, 4, 10}, {5, 5, 6, 14}, {19, 8, 4, 8}};
const QColor kBoxFill(184, 184, 184);
const QColor kBoxEdge(112, 112, 112);
const QColor kGuide(32, 32, 32);

QRect transposed(QRect rect)
{
    return {rect.top(), rect.left(), rect.height(), rect.width()};
}

// A line one pixel wide across the square, on the column (or row) `at`.
QRect guideAt(Axis axis, int at)
{
    const QRect across(at, 1, 1, kIconSide - 2);
    return axis == Axis::X ? across : transposed(across);
}

std::vector<QRect> iconGuides(const Rule &rule, const std::vector<QRect> &boxes)
{
    const std::vector<Span> spans = spansOf(boxes, rule.axis);
    if (rule.line == Line::Between) {
        const Span bounds = boundsOf(spans);
        return {guideAt(rule.axis, int(bounds.start)),
                guideAt(rule.axis, int(lineOf(bounds, Line::End)) - 1)};
    }
    // An end line lies just past the boxes: draw it on their last pixels.
    const long long at = lineOf(spans.front(), rule.line) - (rule.line == Line::End ? 1 : 0);
    return {guideAt(rule.axis, int(at))};
}

QPixmap iconPicture(const Rule &rule, int scale)
{
    std::vector<QRect> boxes;
    for (QRect box : rule.line == Line::Between ? kDistributeBoxes : kAlignBoxes)
        boxes.push_back(rule.axis == Axis::X ? box : transposed(box));
    const std::vector<QPoint> places = arrange(rule.entry.command, boxes, QRect());
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i].moveTopLeft(places[i]);

    QImage image(kIconSide * scale, kIconSide * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(scale, scale);
    for (const QRect &box : boxes) {
        painter.fillRect(box, kBoxEdge);
        painter.fillRect(box.adjusted(1, 1, -1, -1), kBoxFill);
    }
    for (const QRect &guide : iconGuides(rule, boxes))
        painter.fillRect(guide, kGuide);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

std::span<const Entry> entries()
{
    return kEntries;
}

std::vector<QPoint> arrange(Command command, const std::vector<QRect> &selection, QRect background)
{
    const Rule &rule = ruleOf(command);
    std::vector<Span> spans = spansOf(selection, rule.axis);
    if (rule.line == Line::Between)
        distribute(spans);
    else
        align(rule.line, spans,
              background.isEmpty() ? std::nullopt
                                   : std::optional<Span>(spanOf(background, rule.axis)));

    std::vector<QPoint> places;
    places.reserve(selection.size());
    for (std::size_t i = 0; i < selection.size(); ++i) {
        const QPoint before = selection[i].topLeft();
        const long long x = rule.axis == Axis::X ? spans[i].start : before.x();
        const long long y = rule.axis == Axis::Y ? spans[i].start : before.y();
        places.emplace_back(clampedPlace(x), clampedPlace(y));
    }
    return places;
}

bool changesAnything(Command command, const std::vector<QRect> &selection, QRect background)
{
    const std::vector<QPoint> places = arrange(command, selection, background);
    for (std::size_t i = 0; i < selection.size(); ++i) {
        if (places[i] != selection[i].topLeft())
            return true;
    }
    return false;
}

Snap snap(QRect moving, const std::vector<QRect> &others, QRect background, int tolerance)
{
    std::vector<QRect> targets;
    targets.reserve(others.size() + 1);
    if (!background.isEmpty())
        targets.push_back(background);
    targets.insert(targets.end(), others.begin(), others.end());

    const auto x = snapAxis(spanOf(moving, Axis::X), spansOf(targets, Axis::X), tolerance);
    const auto y = snapAxis(spanOf(moving, Axis::Y), spansOf(targets, Axis::Y), tolerance);
    return {QPoint(x ? int(x->offset) : 0, y ? int(y->offset) : 0), guideOf(x), guideOf(y)};
}

QIcon icon(Command command)
{
    QIcon out;
    for (int scale : {1, kDenseScale})
        out.addPixmap(iconPicture(ruleOf(command), scale));
    return out;
}

QPoint withinPlaces(QPoint point)
{
    return {clampedPlace(point.x()), clampedPlace(point.y())};
}

} // namespace Arrange
