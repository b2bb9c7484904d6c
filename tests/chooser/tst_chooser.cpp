// The image file chooser on a real folder tree made by the test.
#include "GifWriter.h"
#include "RecordingMessageSink.h"
#include "chooser/DriveListBox.h"
#include "chooser/FileListBox.h"
#include "chooser/FolderListBox.h"
#include "chooser/PicturePreview.h"
#include "chooser/frmFileOpendlg.h"
#include "util/AppError.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kTwoLines =
    u"不正な画像ファイルのため読み込めません\r\n他の画像ファイルを選択してください"_s;

// A picture whose top left quarter is red and the rest blue.
QImage quarters(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < height / 2; ++y) {
        for (int x = 0; x < width / 2; ++x) {
            image.setPixel(x, y, qRgb(255, 0, 0));
        }
    }
    return image;
}

} // namespace

class tst_Chooser : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        root = std::make_unique<QTemporaryDir>();
        QDir dir(root->path());
        for (const QString &folder : {u"sample"_s, u"other/deep"_s, u"other/Alpha"_s}) {
            QVERIFY(dir.mkpath(folder));
        }
        QVERIFY(quarters(40, 30).save(file(u"sample/b.bmp"_s), "BMP"));
        writeBytes(u"sample/A.GIF"_s, encodeGif(quarters(20, 20)));
        QVERIFY(quarters(300, 300).save(file(u"sample/c.Jpeg"_s), "JPEG"));
        QVERIFY(quarters(10, 10).save(file(u"sample/d.jpg"_s), "JPEG"));
        for (const QString &name :
             {u"sample/notes.txt"_s, u"sample/e.png"_s, u"sample/.hidden.bmp"_s, u"sample/bmp"_s}) {
            writeBytes(name, "x");
        }
        writeBytes(u"sample/broken.jpg"_s, "this is no picture");
        QVERIFY(quarters(16, 16).save(file(u"other/x.bmp"_s), "BMP"));
        messages = std::make_unique<RecordingMessageSink>();
        dialog = std::make_unique<frmFileOpendlg>(*messages, root->path());
    }
    void cleanup()
    {
        dialog.reset();
        root.reset();
    }

    void windowAndControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("files") << u"filFile"_s << u"fraFileOpen_1"_s << QRect(5, 16, 173, 114);
        QTest::newRow("folders") << u"dirDirectry"_s << u"fraFileOpen_1"_s
                                 << QRect(5, 135, 173, 118);
        QTest::newRow("drives") << u"drvDrive"_s << u"fraFileOpen_1"_s << QRect(5, 259, 173, 20);
        QTest::newRow("preview frame")
            << u"fraFileOpen_0"_s << u"frmFileOpendlg"_s << QRect(199, 9, 262, 286);
        QTest::newRow("preview box")
            << u"Picture1"_s << u"fraFileOpen_0"_s << QRect(6, 15, 250, 264);
        QTest::newRow("open") << u"cmdOpen_0"_s << u"frmFileOpendlg"_s << QRect(470, 16, 100, 21);
        QTest::newRow("cancel") << u"cmdOpen_1"_s << u"frmFileOpendlg"_s << QRect(470, 43, 100, 23);
        QTest::newRow("sample") << u"cmdOpen_2"_s << u"frmFileOpendlg"_s << QRect(470, 77, 25, 21);
    }
    void windowAndControls()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, pixels);
        auto *widget = dialog->findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->geometry(), pixels);
    }

    void captionsIconAndTabOrder()
    {
        QCOMPARE(dialog->windowTitle(), u"ファイルを開く"_s);
        QCOMPARE(dialog->minimumSize(), QSize(579, 306));
        QCOMPARE(dialog->maximumSize(), QSize(579, 306));
        QCOMPARE(dialog->fraFileOpen[0]->title(), u"プレビュー："_s);
        QCOMPARE(dialog->fraFileOpen[1]->title(), u"ファイル選択："_s);
        QCOMPARE(dialog->cmdOpen[0]->text(), u"開く"_s);
        QCOMPARE(dialog->cmdOpen[1]->text(), u"キャンセル"_s);
        QCOMPARE(dialog->cmdOpen[2]->toolTip(), u"サンプルフォルダに移動"_s);
        QCOMPARE(dialog->cmdOpen[2]->icon().pixmap(16, 16).size(), QSize(16, 16));
        QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

        QStringList order;
        QWidget *widget = dialog->cmdOpen[0];
        do {
            if (widget->focusPolicy() & Qt::TabFocus) {
                order << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != dialog->cmdOpen[0]);
        QCOMPARE(order.mid(0, 6), (QStringList{u"cmdOpen_0"_s, u"cmdOpen_1"_s, u"filFile"_s,
                                               u"dirDirectry"_s, u"drvDrive"_s, u"cmdOpen_2"_s}));
    }

    void getPathPart_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("part");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("fails");
        const QString tmp = QDir::tempPath();
        QTest::newRow("drive of a file")
            << tmp + u"/a.bmp"_s << 1 << QStorageInfo(tmp).rootPath() << false;
        QTest::newRow("drive of a missing folder")
            << tmp + u"/gone/a.bmp"_s << 1 << QStorageInfo(tmp).rootPath() << false;
        QTest::newRow("no drive in a bare name") << u"a.bmp"_s << 1 << QString() << false;
        QTest::newRow("folder") << u"/x/y/a.bmp"_s << 2 << u"/x/y"_s << false;
        QTest::newRow("folder of a file in the root") << u"/a.bmp"_s << 2 << u"/"_s << false;
        QTest::newRow("no folder in a bare name") << u"a.bmp"_s << 2 << QString() << true;
    }
    void getPathPart()
    {
        QFETCH(QString, path);
        QFETCH(int, part);
        QFETCH(QString, expected);
        QFETCH(bool, fails);
        try {
            QCOMPARE(frmFileOpendlg::getPathPart(path, part), expected);
            QVERIFY(!fails);
        } catch (const AppError &error) {
            QVERIFY(fails);
            QCOMPARE(error.number(), int(AppError::InvalidArgument));
        }
    }

    void activation_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("withSample");
        QTest::addColumn<QString>("folder");
        QTest::newRow("empty: the sample folder") << QString() << true << u"sample"_s;
        QTest::newRow("empty without sample: the program folder")
            << QString() << false << QString();
        QTest::newRow("a file's folder") << u"other/x.bmp"_s << true << u"other"_s;
        QTest::newRow("a missing folder: the program folder")
            << u"gone/x.bmp"_s << true << QString();
        QTest::newRow("a bare name: the program folder") << u"@x.bmp"_s << true << QString();
    }
    void activation()
    {
        QFETCH(QString, given);
        QFETCH(bool, withSample);
        QFETCH(QString, folder);
        if (!withSample) {
            QVERIFY(QDir(file(u"sample"_s)).removeRecursively());
        }
        // "@" marks a name given without any folder.
        dialog->setPath(given.startsWith(u'@') ? given.mid(1)
                        : given.isEmpty()      ? given
                                               : file(given));
        showDialog();
        const QString expected = folder.isEmpty() ? root->path() : file(folder);
        QCOMPARE(dialog->dirDirectry->path(), expected);
        QCOMPARE(dialog->filFile->path(), expected);
        QCOMPARE(dialog->drvDrive->drive(), QStorageInfo(root->path()).rootPath());
        QVERIFY(dialog->filFile->fileName().isEmpty());
        QVERIFY(messages->messages.isEmpty());
    }

    // Picture names in any letter case, sorted by name; nothing else.
    void fileFilterIgnoresCase()
    {
        showDialog();
        QCOMPARE(dialog->filFile->fileNames(),
                 (QStringList{u"A.GIF"_s, u"b.bmp"_s, u"broken.jpg"_s, u"c.Jpeg"_s, u"d.jpg"_s}));
    }

    // The folder list shows the ancestors from the volume root down, then
    // the subfolders; opening one lists its files.
    void folderListAndCoupling()
    {
        dialog->setPath(file(u"other/x.bmp"_s));
        showDialog();
        FolderListBox *folders = dialog->dirDirectry;
        QTreeWidgetItem *current = folders->currentItem();
        QVERIFY(current);
        QCOMPARE(current->text(0), u"other"_s);
        QCOMPARE(current->childCount(), 2);
        QCOMPARE(current->child(0)->text(0), u"Alpha"_s);
        QCOMPARE(current->child(1)->text(0), u"deep"_s);
        int depth = 0;
        for (QTreeWidgetItem *up = current->parent(); up; up = up->parent()) {
            ++depth;
            if (!up->parent()) {
                QCOMPARE(up->text(0), QDir::toNativeSeparators(folders->root()));
            }
        }
        QCOMPARE(depth, QDir(folders->root()).relativeFilePath(file(u"other"_s)).count(u'/') + 1);

        // A click selects; Enter opens.
        folders->setCurrentItem(current->parent());
        QCOMPARE(folders->path(), file(u"other"_s));
        QTest::keyClick(folders, Qt::Key_Return);
        QCOMPARE(folders->path(), root->path());
        QCOMPARE(dialog->filFile->path(), root->path());
        QVERIFY(dialog->isVisible());
        QTreeWidgetItem *sample = nullptr;
        for (int i = 0; i < folders->currentItem()->childCount(); ++i) {
            if (folders->currentItem()->child(i)->text(0) == u"sample"_s) {
                sample = folders->currentItem()->child(i);
            }
        }
        QVERIFY(sample);
        emit folders->itemDoubleClicked(sample, 0);
        QCOMPARE(dialog->filFile->path(), file(u"sample"_s));
        QCOMPARE(dialog->filFile->fileNames().size(), 5);
    }

    void openWithoutFileStaysOpen()
    {
        QSignalSpy reported(dialog.get(), &frmFileOpendlg::clickOpen);
        dialog->setPath(u"/given/path.bmp"_s);
        showDialog();
        dialog->cmdOpen[0]->click();
        QCOMPARE(messages->messages.size(), 1);
        QCOMPARE(messages->last().text, u"ファイルを指定してください"_s);
        QCOMPARE(messages->last().title, u"ファイルを開く"_s);
        QCOMPARE(messages->last().icon, MessageIcon::Information);
        QVERIFY(dialog->isVisible());
        QCOMPARE(reported.count(), 0);
        QCOMPARE(dialog->getPath(), u"/given/path.bmp"_s);
    }

    // How the chooser is left: what it reports and the path it then holds.
    void leaving_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("reports");
        QTest::addColumn<QString>("path");
        QTest::newRow("open") << u"open"_s << 1 << u"sample/d.jpg"_s;
        QTest::newRow("double click") << u"double"_s << 1 << u"sample/d.jpg"_s;
        QTest::newRow("Enter on the file") << u"enter"_s << 1 << u"sample/d.jpg"_s;
        QTest::newRow("cancel") << u"cancel"_s << 1 << QString();
        QTest::newRow("Escape") << u"escape"_s << 1 << QString();
        QTest::newRow("close box") << u"close"_s << 0 << QString();
    }
    void leaving()
    {
        QFETCH(QString, how);
        QFETCH(int, reports);
        QFETCH(QString, path);
        QSignalSpy reported(dialog.get(), &frmFileOpendlg::clickOpen);
        const QString given = u" "_s + file(u"other/x.bmp"_s);
        dialog->setPath(given);
        showDialog();
        dialog->dirDirectry->setPath(file(u"sample"_s), dialog->dirDirectry->root());
        emit dialog->dirDirectry->pathChanged();
        selectFile(u"d.jpg"_s);
        if (how == u"open"_s) {
            dialog->cmdOpen[0]->click();
        } else if (how == u"double"_s) {
            emit dialog->filFile->doubleClicked(dialog->filFile->currentIndex());
        } else if (how == u"enter"_s) {
            QTest::keyClick(dialog->filFile, Qt::Key_Return);
        } else if (how == u"cancel"_s) {
            dialog->cmdOpen[1]->click();
        } else if (how == u"escape"_s) {
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        } else {
            QVERIFY(dialog->close());
        }
        QVERIFY(!dialog->isVisible());
        QCOMPARE(reported.count(), reports);
        QCOMPARE(dialog->getPath(), path.isEmpty() ? given : file(path));
        QVERIFY(messages->messages.isEmpty());
    }

    void previewShowsThePicture()
    {
        showDialog();
        selectFile(u"b.bmp"_s);
        const QImage shown = dialog->imgImage->pixmap().toImage();
        QCOMPARE(shown.size(), QSize(40, 30));
        QCOMPARE(dialog->imgImage->size(), QSize(40, 30));
        QCOMPARE(QColor(shown.pixel(5, 5)), QColor(Qt::red));
        QCOMPARE(QColor(shown.pixel(35, 25)), QColor(Qt::blue));
        // Larger than the box: cut off at its edges, not scaled.
        selectFile(u"c.Jpeg"_s);
        QCOMPARE(dialog->imgImage->size(), dialog->Picture1->contentsRect().size());
        QVERIFY(messages->messages.isEmpty());
    }

    void brokenOrMissingPictureKeepsThePreview_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("broken") << u"broken.jpg"_s << kTwoLines;
        QTest::newRow("missing") << u"d.jpg"_s << u"画像ファイルが見つかりません"_s;
    }
    void brokenOrMissingPictureKeepsThePreview()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        showDialog();
        selectFile(u"b.bmp"_s);
        const QImage before = dialog->imgImage->pixmap().toImage();
        if (name == u"d.jpg"_s) {
            QVERIFY(QFile::remove(file(u"sample/d.jpg"_s))); // gone since it was listed
        }
        selectFile(name);
        QCOMPARE(messages->messages.size(), 1);
        QCOMPARE(messages->last().text, message);
        QCOMPARE(messages->last().title, u"画像ファイル選択"_s);
        QCOMPARE(messages->last().icon, MessageIcon::Information);
        QCOMPARE(dialog->imgImage->pixmap().toImage(), before);
        QVERIFY(dialog->isVisible());
    }

    // A picture above the reader's allocation limit previews its visible
    // part instead of failing; here the limit is lowered to keep the test small.
    void pictureAboveAllocationLimitPreviews()
    {
        const int limit = QImageReader::allocationLimit();
        QImageReader::setAllocationLimit(4);
        QVERIFY(quarters(1600, 1200).save(file(u"sample/large.jpg"_s), "JPEG", 90));
        QImageReader whole(file(u"sample/large.jpg"_s));
        QVERIFY(whole.read().isNull()); // the whole picture is refused
        const PicturePreview preview =
            loadPicturePreview(file(u"sample/large.jpg"_s), QSize(250, 264));
        QImageReader::setAllocationLimit(limit);
        QCOMPARE(int(preview.status), int(PicturePreview::Status::Shown));
        QCOMPARE(preview.natural, QSize(1600, 1200));
        QCOMPARE(preview.image.size(), QSize(250, 264));
        QVERIFY(qAbs(qRed(preview.image.pixel(200, 200)) - 255) < 16);
    }

    void sampleFolderButton_data()
    {
        QTest::addColumn<bool>("withSample");
        QTest::newRow("sample there") << true;
        QTest::newRow("sample missing") << false;
    }
    void sampleFolderButton()
    {
        QFETCH(bool, withSample);
        dialog->setPath(file(u"other/x.bmp"_s));
        showDialog();
        if (!withSample) {
            QVERIFY(QDir(file(u"sample"_s)).removeRecursively());
        }
        dialog->cmdOpen[2]->click();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->dirDirectry->path(), file(withSample ? u"sample"_s : u"other"_s));
        QCOMPARE(dialog->filFile->path(), dialog->dirDirectry->path());
        if (withSample) {
            QVERIFY(messages->messages.isEmpty());
        } else {
            QCOMPARE(messages->messages.size(), 1);
            QCOMPARE(messages->last().text, u"サンプルフォルダが見つかりません"_s);
            QCOMPARE(messages->last().title, u"サンプルフォルダへ移動"_s);
        }
    }

    // A volume that went away since it was listed keeps the lists where they were.
    void driveNotReady()
    {
        showDialog();
        const QString before = dialog->dirDirectry->path();
        const QString drive = dialog->drvDrive->drive();
        dialog->drvDrive->setVolumes(dialog->drvDrive->volumes() << file(u"unmounted"_s));
        dialog->drvDrive->setDrive(drive);
        dialog->drvDrive->setCurrentIndex(dialog->drvDrive->count() - 1);
        emit dialog->drvDrive->driveChanged();
        QCOMPARE(messages->messages.size(), 1);
        QCOMPARE(messages->last().text,
                 u"ディスクが準備されていません\r\nディスクを挿入してください"_s);
        QCOMPARE(messages->last().title, u"ディスクエラー"_s);
        QCOMPARE(dialog->dirDirectry->path(), before);
        QCOMPARE(dialog->drvDrive->drive(), drive);
    }

private:
    QString file(const QString &relative) const { return root->filePath(relative); }

    void writeBytes(const QString &relative, const QByteArray &bytes)
    {
        QFile out(file(relative));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    void showDialog()
    {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }

    void selectFile(const QString &name)
    {
        const int row = static_cast<int>(dialog->filFile->fileNames().indexOf(name));
        QVERIFY2(row >= 0, qPrintable(name));
        dialog->filFile->setCurrentIndex(dialog->filFile->model()->index(row, 0));
        QCOMPARE(dialog->filFile->fileName(), name);
    }

    std::unique_ptr<QTemporaryDir> root;
    std::unique_ptr<RecordingMessageSink> messages;
    std::unique_ptr<frmFileOpendlg> dialog;
};

QTEST_MAIN(tst_Chooser)
#include "tst_chooser.moc"
