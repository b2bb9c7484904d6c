#include "PanelStyle.h"

#include <QApplication>
#include <QStyleFactory>

// A fresh instance of the application's style: a proxy takes ownership of
// its base, which must not be the application's own style object.
PanelStyle::PanelStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
{
}

int PanelStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                            const QWidget *widget) const
{
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return kIndicatorSize;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}
