#include "windows/frmProgress.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Calls back on every event of one type that reaches a widget.
class EventSpy : public QObject {
public:
    EventSpy(QWidget &widget, QEvent::Type type, std::function<void()> seen)
        : m_type(type), m_seen(std::move(seen))
    {
        widget.installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type) {
            m_seen();
        }
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_seen;
};

QFont pixelFont(int pixels)
{
    QFont font;
    font.setPixelSize(pixels);
    return font;
}

} // namespace

// The window shown after a save: its look, its bar and that it closes itself.
class tst_progress : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void looksAsLaidOut()
    {
        QWidget owner;
        owner.setFont(pixelFont(8)); // small enough for the text to fit as laid out
        frmProgress window(&owner);
        QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(window.windowFlags().testFlag(Qt::Tool)); // kept out of the task bar
        QCOMPARE(window.size(), QSize(257, 44));
        QCOMPARE(window.Label1[0]->geometry(), QRect(9, 12, 240, 22));
        QCOMPARE(window.Label1[1]->geometry(), QRect(11, 14, 0, 18));
        QCOMPARE(window.Label1[2]->geometry(), QRect(93, 17, 83, 12));
        QCOMPARE(window.Label1[2]->text(), u"書き込み中・・・・"_s);
        QCOMPARE(window.Label1[0]->palette().color(QPalette::Window), QColor(255, 255, 255));
        QCOMPARE(window.Label1[1]->palette().color(QPalette::Window), QColor(255, 224, 192));
        QCOMPARE(window.Label1[2]->palette().color(QPalette::Window), QColor(255, 224, 192));
        QCOMPARE(window.Label1[2]->palette().color(QPalette::WindowText), QColor(255, 128, 0));
        QCOMPARE(window.Timer1->interval(), 10);
        QVERIFY(!window.Timer1->isActive());
    }

    // In its owner's font, whatever its size, the whole text shows inside the window.
    void textShowsWhole_data()
    {
        QTest::addColumn<int>("pixels"); // 0: the system's font
        QTest::newRow("system font") << 0;
        QTest::newRow("22 pixels") << 22;
    }
    void textShowsWhole()
    {
        QFETCH(int, pixels);
        QWidget owner;
        if (pixels > 0) {
            owner.setFont(pixelFont(pixels));
        }
        frmProgress window(&owner);
        const QLabel &text = *window.Label1[2];
        QCOMPARE(text.font().pixelSize(), owner.font().pixelSize());
        const QFontMetrics metrics = text.fontMetrics();
        QVERIFY(text.contentsRect().width() >= metrics.horizontalAdvance(text.text()));
        QVERIFY(text.contentsRect().height() >= metrics.height());
        QVERIFY(window.rect().contains(text.geometry()));
    }

    // 13 steps of 300 twips to 3900, the strictly-greater test letting the
    // bar grow once more at 3600; the fourteenth tick closes the window.
    void barGrowsThenWindowCloses()
    {
        QWidget owner;
        frmProgress window(&owner);
        window.show();
        for (int tick = 1; tick <= 13; ++tick) {
            window.Timer1_Timer();
            QCOMPARE(window.labelWidth(1), tick * 300);
            QCOMPARE(window.Label1[1]->width() * 15, tick * 300);
            QVERIFY(window.isVisible());
        }
        window.Timer1_Timer();
        QCOMPARE(window.labelWidth(1), 3900);
        QVERIFY(!window.isVisible());
        QVERIFY(!window.Timer1->isActive());
    }

    // Shown is not yet seen: the bar waits until the window has been drawn.
    void barStartsOnceDrawn()
    {
        QWidget owner;
        frmProgress window(&owner);
        int barWhenDrawn = -1;
        EventSpy drawn(window, QEvent::Paint, [&] {
            if (barWhenDrawn < 0) {
                barWhenDrawn = window.labelWidth(1);
            }
        });
        window.show();
        QVERIFY(!window.Timer1->isActive());
        QTRY_VERIFY(!window.isVisible());
        QCOMPARE(barWhenDrawn, 0);
        QCOMPARE(window.labelWidth(1), 3900);
    }

    void closesByItselfCentredOnOwner()
    {
        QWidget owner;
        owner.setGeometry(100, 80, 600, 400);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        frmProgress window(&owner);
        QPoint centre;
        QTimer::singleShot(0, &window, [&] { centre = window.frameGeometry().center(); });
        // A window that never closed would hang here; ctest's time limit ends that.
        QCOMPARE(window.exec(), int(QDialog::Accepted));
        QVERIFY((centre - owner.frameGeometry().center()).manhattanLength() <= 2);
        QCOMPARE(window.labelWidth(1), 3900);
    }
};

QTEST_MAIN(tst_progress)
#include "tst_progress.moc"
