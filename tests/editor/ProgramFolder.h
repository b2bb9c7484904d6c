#pragma once

#include "editor/ImageButton.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

// A temporary program folder whose package/ holds the 14 mode-button
// pictures, each a plain colour of its own so a test can tell which is shown.
class ProgramFolder {
public:
    ProgramFolder() { QDir(m_dir.path()).mkpath(QStringLiteral("package")); }

    QString path() const { return m_dir.path(); }
    QString packageFile(const QString &name) const
    {
        return m_dir.path() + QStringLiteral("/package/") + name;
    }

    static QString modeName(int index, bool selected)
    {
        return QStringLiteral("edit_%1%2.jpg")
            .arg(index + 1)
            .arg(selected ? QStringLiteral("g") : QString());
    }

    // Far apart in hue, so JPEG rounding never makes two alike.
    static QColor modeColor(int index, bool selected)
    {
        return QColor::fromHsv(index * 25 + (selected ? 180 : 0), 220, 220);
    }

    void writeModePictures()
    {
        for (int i = 0; i < 7; ++i) {
            for (bool selected : {false, true}) {
                writePicture(modeName(i, selected), modeColor(i, selected));
            }
        }
    }

    void writePicture(const QString &name, const QColor &color)
    {
        QImage image(113, 78, QImage::Format_RGB32);
        image.fill(color);
        QVERIFY(image.save(packageFile(name), "JPEG", 95));
    }

    void remove(const QString &name) { QVERIFY(QFile::remove(packageFile(name))); }

    void writeBytes(const QString &name, const QByteArray &bytes)
    {
        QFile file(packageFile(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private:
    QTemporaryDir m_dir;
};

inline bool sameColor(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) <= 12 && qAbs(a.green() - b.green()) <= 12 &&
           qAbs(a.blue() - b.blue()) <= 12;
}

// The colour in the middle of the picture a side-menu button shows; invalid
// when it shows none.
inline QColor shownColor(const ImageButton *button)
{
    const QPixmap picture = button->pixmap();
    if (picture.isNull()) {
        return {};
    }
    const QImage image = picture.toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}
