// Work held for a widget runs once: when the widget is first shown, or just
// after the window's first showing, whichever comes first; never before.
#include "editor/window/DeferredWork.h"

#include <QTest>
#include <QWidget>

class tst_DeferredWork : public QObject {
    Q_OBJECT

private slots:
    void runsOnceAtShowOrAfterTheFirstFrame_data()
    {
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("shownBeforeTheFrame");
        QTest::addColumn<int>("runsBeforeTheFrame");
        QTest::newRow("shown with the window") << false << false << 1;
        QTest::newRow("hidden, left hidden") << true << false << 0;
        QTest::newRow("hidden, shown at once") << true << true << 1;
    }
    void runsOnceAtShowOrAfterTheFirstFrame()
    {
        QFETCH(bool, hidden);
        QFETCH(bool, shownBeforeTheFrame);
        QFETCH(int, runsBeforeTheFrame);
        QWidget window;
        auto *child = new QWidget(&window);
        child->setHidden(hidden);
        auto *deferred = new DeferredWork(window);
        int runs = 0;
        deferred->hold(*child, [&runs] { ++runs; });
        QCOMPARE(runs, 0);

        window.show();
        if (shownBeforeTheFrame) {
            child->show();
        }
        QCOMPARE(runs, runsBeforeTheFrame);
        QTRY_COMPARE(runs, 1);
        child->hide();
        child->show();
        QTest::qWait(0);
        QCOMPARE(runs, 1);
    }
};

QTEST_MAIN(tst_DeferredWork)
#include "tst_deferred_work.moc"
