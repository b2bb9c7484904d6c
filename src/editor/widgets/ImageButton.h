#pragma once

#include <QLabel>

// A picture that acts as a button: the side menu's mode and file buttons.
class ImageButton : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // A click from code, as a left click on the picture gives; nothing when
    // greyed, as no mouse click reaches a greyed picture.
    void click();

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
