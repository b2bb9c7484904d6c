#include "SectionFrame.h"

#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace {
const QColor kSectionCaptionColor(128, 128, 255);
}

SectionFrame::SectionFrame(const QString &caption, bool borderless, QWidget *parent)
    : QGroupBox(caption, parent), m_borderless(borderless)
{
}

void SectionFrame::paintEvent(QPaintEvent *)
{
    if (m_borderless) {
        return;
    }
    // Painted here rather than by a style sheet, which costs start-up time.
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    if (isEnabled()) {
        option.textColor = kSectionCaptionColor;
    }
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}
