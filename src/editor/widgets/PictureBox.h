#pragma once

#include <QFrame>
#include <QImage>
#include <functional>

// A picture box: a picture, and over it a drawing layer that keeps what is
// drawn until it is cleared (an off-screen image that painting shows). The
// box takes the size of the picture it is given and measures in pixels.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Makes image the picture, resizes the box to it and starts the drawing
    // layer from it. A null image removes the picture and the drawing, and the
    // box returns to the size it was placed with.
    void setPicture(const QImage &image);
    const QImage &picture() const { return m_picture; }

    // Removes what was drawn; the picture stays.
    void clearDrawing();
    // Replaces the drawing layer with a picture of the box's size.
    void setDrawing(const QImage &drawing);
    const QImage &drawing() const { return m_drawing; }
    // Lets draw change the drawing layer inside area, and repaints only that.
    void redrawArea(const QRect &area, const std::function<void(QImage &)> &draw);

    // The size the layout gave the box, kept for when it holds no picture.
    void setPlacedSize(const QSize &size) { m_placedSize = size; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QImage m_drawing;
    QSize m_placedSize;
};
