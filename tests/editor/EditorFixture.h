#pragma once

#include "RecordingMessageSink.h"
#include "chooser/FileListBox.h"
#include "chooser/frmFileOpendlg.h"
#include "document/SectionTable.h"
#include "editor/history/EditHistory.h"
#include "editor/widgets/ImageButton.h"
#include "editor/widgets/WidgetColors.h"
#include "editor/window/frmMainTestHooks.h"
#include "packaging/Archiver.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>

// An archiver that reports the given version; none means "not usable".
class FixedVersionArchiver : public Archiver {
public:
    explicit FixedVersionArchiver(std::optional<qint16> version) : m_version(version) {}
    std::optional<qint16> version() override { return m_version; }
    qint32 zip(const QByteArray &) override { return 1; }

private:
    std::optional<qint16> m_version;
};

inline std::unique_ptr<Archiver> missingArchiver()
{
    return nullptr;
}

inline std::unique_ptr<Archiver> usableArchiver()
{
    return std::make_unique<FixedVersionArchiver>(qint16(300));
}

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

    // Far apart in hue, so JPEG rounding never makes two alike.
    static QColor modeColor(int index, bool selected)
    {
        return QColor::fromHsv(index * 25 + (selected ? 180 : 0), 220, 220);
    }

    void writeModePictures()
    {
        for (int i = 0; i < 7; ++i) {
            for (bool selected : {false, true}) {
                writePicture(QStringLiteral("edit_%1%2.jpg")
                                 .arg(i + 1)
                                 .arg(selected ? QStringLiteral("g") : QString()),
                             modeColor(i, selected));
            }
        }
    }

    void writePicture(const QString &name, const QColor &color)
    {
        QImage image(113, 78, QImage::Format_RGB32);
        image.fill(color);
        QVERIFY(image.save(packageFile(name), "JPEG", 95));
    }

    void writeBytes(const QString &name, const QByteArray &bytes)
    {
        QFile file(packageFile(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private:
    QTemporaryDir m_dir;
};

// A main window started from a full program folder.
struct StartedEditor {
    explicit StartedEditor(frmMain::ArchiverFactory archiver = missingArchiver)
        : window(messages, (folder.writeModePictures(), folder.path()), std::move(archiver))
    {
    }
    ProgramFolder folder;
    RecordingMessageSink messages;
    frmMain window;
};

// An element's LEFT and TOP, as its fields hold them.
inline QPoint placeOf(frmMain &window, qint16 slot)
{
    const Sections::Section &section = Sections::sectionFor(slot);
    return {hooks(window).Text1(section.left)->text().toInt(),
            hooks(window).Text1(section.top)->text().toInt()};
}

inline void setPlaceOf(frmMain &window, qint16 slot, QPoint at)
{
    const Sections::Section &section = Sections::sectionFor(slot);
    hooks(window).Text1(section.left)->setText(QString::number(at.x()));
    hooks(window).Text1(section.top)->setText(QString::number(at.y()));
}

// The window's one edit history.
inline QUndoStack &historyOf(frmMain &window)
{
    return window.findChild<EditHistory *>()->stack();
}

inline bool sameColor(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) <= 12 && qAbs(a.green() - b.green()) <= 12 &&
           qAbs(a.blue() - b.blue()) <= 12;
}

// The colour in the middle of the picture a side-menu button shows; invalid
// when it shows none.
inline QColor shownColor(const ImageButton *button)
{
    const QImage image = button->pixmap().toImage();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

inline bool looksWhite(const QWidget *field)
{
    return WidgetColors::backColor(field) == WidgetColors::white();
}

inline bool looksGrey(const QWidget *field)
{
    return WidgetColors::backColor(field) == WidgetColors::buttonFace();
}

// Drags data over widget and lets it go there, as a file manager does: the
// drop goes to whichever widget took the drag. Whether the drop was taken.
inline bool dropOn(QWidget *widget, const QMimeData &data)
{
    const QPoint centre = widget->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(widget, &enter);
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QApplication::sendEvent(widget, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

// The drag data of files as file managers offer it: their addresses, also as text.
inline std::unique_ptr<QMimeData> filesData(const QStringList &paths)
{
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    QStringList texts;
    for (const QString &path : paths) {
        urls.append(QUrl::fromLocalFile(path));
        texts.append(urls.constLast().toString());
    }
    data->setUrls(urls);
    data->setText(texts.join(u'\n'));
    return data;
}

// Runs the user's part once the window's modal chooser is up: the queued call
// is taken by the chooser's own event loop, after it has been shown.
inline void whileChooserShown(frmMain &window, std::function<void(frmFileOpendlg &)> user)
{
    QTimer::singleShot(0, &window, [&window, user] {
        frmFileOpendlg *chooser = hooks(window).fileOpenDialog();
        QVERIFY(chooser && chooser->isVisible());
        user(*chooser);
        if (chooser->isVisible()) {
            chooser->close(); // never leave a modal window behind a failed check
        }
    });
}

// Selects a file of the chooser's list by name.
inline void chooseListedFile(frmFileOpendlg &chooser, const QString &name)
{
    const int row = static_cast<int>(chooser.filFile->fileNames().indexOf(name));
    QVERIFY(row >= 0);
    chooser.filFile->setCurrentIndex(chooser.filFile->model()->index(row, 0));
}
