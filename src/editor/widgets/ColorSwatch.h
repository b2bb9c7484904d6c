#pragma once

#include <QLabel>

// A colour swatch of the panels: its back colour is the value. It is a Tab
// stop and shows its focus, so the keyboard reaches it as the mouse does.
class ColorSwatch : public QLabel {
public:
    explicit ColorSwatch(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};
