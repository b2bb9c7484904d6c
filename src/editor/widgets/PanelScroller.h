#pragma once

#include <QObject>
#include <QPoint>

class QFrame;
class QScrollBar;
class QWidget;

// Scroll bars for one child of a panel that may grow larger than the panel:
// the child keeps its parent and its place while it fits, and is shifted by
// the bars when it does not, so all of it can be seen. The owner calls
// updateBars() after resizing the child (a hidden widget is resized without
// an event); the mouse wheel over the panel scrolls too.
class PanelScroller : public QObject {
    Q_OBJECT
public:
    PanelScroller(QFrame *panel, QWidget *content);

    void updateBars();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void moveContent();

    QFrame *m_panel;
    QWidget *m_content;
    QPoint m_home;
    QScrollBar *m_horizontal;
    QScrollBar *m_vertical;
};
