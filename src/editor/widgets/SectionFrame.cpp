#include "SectionFrame.h"

#include "WidgetColors.h"

#include <QStyleOptionGroupBox>
#include <QStylePainter>

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
        // Some styles take the caption's pen from the option's colour, others
        // from its palette; set both.
        option.textColor = WidgetColors::sectionCaption();
        option.palette.setColor(QPalette::WindowText, option.textColor);
    }
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}
