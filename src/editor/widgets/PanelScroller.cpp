#include "PanelScroller.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

PanelScroller::PanelScroller(QFrame *panel, QWidget *content)
    : QObject(panel), m_panel(panel), m_content(content), m_home(content->pos()),
      m_horizontal(new QScrollBar(Qt::Horizontal, panel)),
      m_vertical(new QScrollBar(Qt::Vertical, panel))
{
    m_horizontal->setObjectName(panel->objectName() + u"_hscroll"_s);
    m_vertical->setObjectName(panel->objectName() + u"_vscroll"_s);
    for (QScrollBar *bar : {m_horizontal, m_vertical}) {
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, &PanelScroller::moveContent);
    }
    panel->installEventFilter(this);
    updateBars();
}

bool PanelScroller::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        updateBars();
    } else if (event->type() == QEvent::Wheel) {
        // Wheel events over the content reach the panel, which the content
        // does not accept them for.
        QScrollBar *bar = m_vertical->isVisible() ? m_vertical : m_horizontal;
        if (bar->isVisible()) {
            QApplication::sendEvent(bar, event);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void PanelScroller::updateBars()
{
    const QRect inside = m_panel->contentsRect();
    const int barWidth = m_panel->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // The content with the same margin on its far sides as on its near ones.
    const QSize needed(m_home.x() * 2 + m_content->width(), m_home.y() * 2 + m_content->height());
    bool wide = needed.width() > inside.width();
    bool tall = needed.height() > inside.height();
    // One bar takes room from the other direction.
    wide = wide || (tall && needed.width() > inside.width() - barWidth);
    tall = tall || (wide && needed.height() > inside.height() - barWidth);
    const int visibleWidth = inside.width() - (tall ? barWidth : 0);
    const int visibleHeight = inside.height() - (wide ? barWidth : 0);

    m_horizontal->setGeometry(inside.left(), inside.bottom() + 1 - barWidth, visibleWidth,
                              barWidth);
    m_vertical->setGeometry(inside.right() + 1 - barWidth, inside.top(), barWidth, visibleHeight);
    m_horizontal->setRange(0, wide ? needed.width() - visibleWidth : 0);
    m_vertical->setRange(0, tall ? needed.height() - visibleHeight : 0);
    m_horizontal->setPageStep(visibleWidth);
    m_vertical->setPageStep(visibleHeight);
    m_horizontal->setVisible(wide);
    m_vertical->setVisible(tall);
    m_horizontal->raise();
    m_vertical->raise();
    moveContent();
}

void PanelScroller::moveContent()
{
    m_content->move(m_home - QPoint(m_horizontal->value(), m_vertical->value()));
}
