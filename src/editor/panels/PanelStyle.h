#pragma once

#include <QProxyStyle>

// The style of the panels' check boxes and option buttons: the layout gives
// them 13 pixels of height, so their boxes are drawn 13 pixels tall and stay
// whole.
class PanelStyle : public QProxyStyle {
    Q_OBJECT
public:
    static constexpr int kIndicatorSize = 13;

    PanelStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
};
