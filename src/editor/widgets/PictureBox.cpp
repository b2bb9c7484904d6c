#include "PictureBox.h"

#include <QPaintEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent) : QFrame(parent)
{
}

void PictureBox::setPicture(const QImage &image)
{
    m_picture = image;
    m_drawing = image;
    resize(image.isNull() ? m_placedSize : image.size());
    update();
}

void PictureBox::clearDrawing()
{
    m_drawing = m_picture;
    update();
}

void PictureBox::setDrawing(const QImage &drawing)
{
    Q_ASSERT(drawing.isNull() || drawing.size() == m_picture.size());
    m_drawing = drawing;
    update();
}

void PictureBox::redrawArea(const QRect &area, const std::function<void(QImage &)> &draw)
{
    if (m_drawing.isNull()) {
        return;
    }
    draw(m_drawing);
    update(area);
}

// Only the part asked for: a move repaints two small rectangles of a large
// picture.
void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (!m_drawing.isNull()) {
        QPainter painter(this);
        const QRect area = event->rect() & m_drawing.rect();
        painter.drawImage(area.topLeft(), m_drawing, area);
    }
}
