// The version window: what it shows, its shape, and every way of closing it.
#include "windows/frmVersionInfo.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(VersionInfo)

class tst_VersionInfo : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void labelsAfterLoad_data()
    {
        QTest::addColumn<VersionInfo>("version");
        QTest::addColumn<QString>("line");

        QTest::newRow("this build") << VersionInfo::program() << u"Version  2.0.0"_s;
        QTest::newRow("revision 12, no leading zeros")
            << VersionInfo{u"T"_s, 2, 0, 12, u"C"_s, {}, u"(C)"_s} << u"Version  2.0.12"_s;
        QTest::newRow("two-digit major and minor")
            << VersionInfo{u"T"_s, 10, 31, 0, u"C"_s, {}, u"(C)"_s} << u"Version  10.31.0"_s;
    }

    void labelsAfterLoad()
    {
        QFETCH(VersionInfo, version);
        const frmVersionInfo window(nullptr, version);

        QCOMPARE(window.Label1[0]->text(), version.title);
        QTEST(window.Label1[1]->text(), "line");
        QCOMPARE(window.Label1[3]->text(), version.comment);
        QCOMPARE(window.Label1[2]->text(), version.copyright);
    }

    // The build's record is the one CMake sets; none of it is a placeholder.
    void programRecord()
    {
        const VersionInfo version = VersionInfo::program();
        QCOMPARE(version.title, u"Velmora for WMP"_s);
        QCOMPARE(version.number(), u"2.0.0"_s);
        QVERIFY(version.comment.contains(u"スキン"_s));
        QVERIFY(version.copyright.startsWith(u"Copyright"_s));
    }

    void layout()
    {
        QWidget owner;
        owner.setGeometry(100, 80, 800, 600);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        frmVersionInfo window(&owner);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.windowTitle(), u"バージョン情報"_s);
        QCOMPARE(window.size(), QSize(405, 128)); // 6075 x 1920 twips
        QCOMPARE(window.minimumSize(), window.maximumSize());
        const Qt::WindowFlags flags = window.windowFlags();
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                           Qt::WindowContextHelpButtonHint)));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(qAbs(window.geometry().center().x() - owner.geometry().center().x()) <= 1);
        QVERIFY(qAbs(window.geometry().center().y() - owner.geometry().center().y()) <= 1);

        QCOMPARE(window.Image1->geometry(), QRect(24, 15, 32, 32));
        const QImage picture = window.Image1->pixmap().toImage();
        QCOMPARE(picture.size(), QSize(32, 32));
        QVERIFY(picture.pixelColor(16, 16).alpha() > 0);
        QCOMPARE(window.Command1->text(), u"OK"_s);
        QCOMPARE(window.Command1->geometry(), QRect(301, 97, 93, 23));

        // An etched rule: the window text colour, and one pixel below it the
        // highlight text colour, across the window.
        const QRect first = window.Line1[0]->geometry();
        const QRect second = window.Line1[1]->geometry();
        QCOMPARE(first, QRect(4, 85, 395, 1));
        QCOMPARE(second, first.translated(0, 1));
        const QImage shot = window.grab().toImage();
        QCOMPARE(shot.pixelColor(200, 85).rgb(),
                 window.palette().color(QPalette::WindowText).rgb());
        QCOMPARE(shot.pixelColor(200, 86).rgb(),
                 window.palette().color(QPalette::HighlightedText).rgb());
    }

    // OK, the close box and Escape all close the window the same way.
    void closing_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("OK") << 0;
        QTest::newRow("close box") << 1;
        QTest::newRow("Escape") << 2;
    }

    void closing()
    {
        QFETCH(int, way);
        frmVersionInfo window;
        bool wasModal = false;
        // Runs inside exec(), once the window is up; it always closes it, so
        // a failing check cannot leave the test waiting.
        QTimer::singleShot(0, &window, [&window, &wasModal, way] {
            wasModal = window.isVisible() && QApplication::activeModalWidget() == &window;
            if (way == 0) {
                QTest::mouseClick(window.Command1, Qt::LeftButton);
            } else if (way == 1) {
                window.close();
            } else {
                QTest::keyClick(&window, Qt::Key_Escape);
            }
        });

        QCOMPARE(window.exec(), int(QDialog::Accepted));
        QVERIFY(wasModal);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(tst_VersionInfo)
#include "tst_versioninfo.moc"
