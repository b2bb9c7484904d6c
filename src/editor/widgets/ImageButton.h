#pragma once

#include <QLabel>

// A picture that acts as a button: the side menu's mode and file buttons.
class ImageButton : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
