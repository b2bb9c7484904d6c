#include "PictureBox.h"

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

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (!m_drawing.isNull()) {
        QPainter painter(this);
        painter.drawImage(0, 0, m_drawing);
    }
}
