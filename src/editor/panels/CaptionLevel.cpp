#include "CaptionLevel.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace {

// The control whose text a caption names: the nearest one to its right in
// the same holder, level with the caption's first line.
const QWidget *controlBeside(const QLabel *caption, std::span<QLabel *const> captions)
{
    const QRect box = caption->geometry();
    const int lineBottom = box.top() + caption->fontMetrics().height();
    const QWidget *nearest = nullptr;
    for (const QObject *child : caption->parentWidget()->children()) {
        const auto *widget = qobject_cast<const QWidget *>(child);
        if (!widget || std::ranges::find(captions, widget) != captions.end() ||
            !(qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QLabel *>(widget) ||
              qobject_cast<const QAbstractButton *>(widget) || widget->inherits("QComboBox"))) {
            continue;
        }
        const QRect place = widget->geometry();
        const bool level = place.top() < lineBottom && place.bottom() >= box.top();
        if (level && place.left() > box.left() &&
            (!nearest || place.left() < nearest->geometry().left())) {
            nearest = widget;
        }
    }
    return nearest;
}

} // namespace

// The line may rise into the caption's top edge by the blank rows above its
// tallest glyph, never further.
void levelCaption(QLabel *caption, std::span<QLabel *const> captions)
{
    caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QWidget *beside = controlBeside(caption, captions);
    if (!beside) {
        return;
    }
    const QFontMetrics metrics = caption->fontMetrics();
    const QRect box = caption->geometry();
    const QRect place = beside->geometry();
    // Controls centre their line of text, the odd pixel going below it.
    const int wanted = place.top() + (place.height() - metrics.height()) / 2 - box.top();
    const int blankAbove =
        qMax(0, metrics.ascent() + metrics.tightBoundingRect(caption->text()).top());
    caption->setContentsMargins(
        0, std::clamp(wanted, -blankAbove, qMax(-blankAbove, box.height() - metrics.height())), 0,
        0);
}
