#include "WidgetColors.h"

#include "render/WindowColor.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace WidgetColors {

QColor white()
{
    return QColor(255, 255, 255);
}

QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
}

QColor sectionCaption()
{
    return QColor(128, 128, 255);
}

void setBackColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    // Text boxes and lists paint their field with Base, labels with Window;
    // both are set so that the colour holds in every state of the control.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, color);
        palette.setColor(group, QPalette::Window, color);
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QColor backColor(const QWidget *widget)
{
    return widget->palette().color(QPalette::Active, QPalette::Base);
}

QColor fromWindowColor(qint32 value)
{
    return QColor(WindowColor::toRgb(value));
}

qint32 toWindowColor(const QColor &color)
{
    return WindowColor::fromRgb(color.rgb());
}

} // namespace WidgetColors
