#pragma once

#include <QPushButton>

// The "・・" button beside an image field. Its caption stays the text
// "・・", but is drawn as two round dots that can be read at the panels' small
// font size, also when the button is disabled.
class BrowseButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};
