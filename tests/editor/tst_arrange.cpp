// Align, distribute and snap on rects of known places; the icons as drawn.
#include "editor/canvas/Arrange.h"

#include <QImage>
#include <QTest>

using Arrange::Command;
using Rects = std::vector<QRect>;
using Places = std::vector<QPoint>;

Q_DECLARE_METATYPE(Command)

namespace {
const QRect kBackground(0, 0, 200, 100);
// x 10..40, 60..80, 25..36; y 20..30, 5..21, 40..47.
const Rects kThree{{10, 20, 30, 10}, {60, 5, 20, 16}, {25, 40, 11, 7}};
} // namespace

class tst_Arrange : public QObject {
    Q_OBJECT

private slots:
    void arrange_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<Rects>("selection");
        QTest::addColumn<Places>("places");
        auto row = [](const char *name, Command command, Rects rects, Places places) {
            QTest::newRow(name) << command << rects << places;
        };
        row("left", Command::Left, kThree, {{10, 20}, {10, 5}, {10, 40}});
        row("h-centre on 45", Command::HCenter, kThree, {{30, 20}, {35, 5}, {40, 40}});
        row("right", Command::Right, kThree, {{50, 20}, {60, 5}, {69, 40}});
        row("top", Command::Top, kThree, {{10, 5}, {60, 5}, {25, 5}});
        row("v-centre on 26", Command::VCenter, kThree, {{10, 21}, {60, 18}, {25, 23}});
        row("bottom", Command::Bottom, kThree, {{10, 37}, {60, 31}, {25, 40}});
        // 9 free pixels between the outer two: the first gap takes the odd one.
        row("distribute h", Command::DistributeH, kThree, {{10, 20}, {60, 5}, {45, 40}});
        row("distribute v", Command::DistributeV, kThree, {{10, 26}, {60, 5}, {25, 40}});
        row("one rect to the background", Command::Right, {{10, 20, 30, 10}}, {{170, 20}});
        row("two rects do not distribute", Command::DistributeH, {kThree[0], kThree[1]},
            {{10, 20}, {60, 5}});
        row("clamped at 0", Command::Right, {{10, 20, 300, 10}}, {{0, 20}});
        row("clamped at the largest place", Command::Top, {{40000, 3, 10, 10}, {0, 8, 5, 5}},
            {{32767, 3}, {0, 3}});
    }
    void arrange()
    {
        QFETCH(Command, command);
        QFETCH(Rects, selection);
        QFETCH(Places, places);
        QCOMPARE(Arrange::arrange(command, selection, kBackground), places);
    }

    void changesAnything()
    {
        const Rects aligned{{10, 20, 30, 10}, {10, 40, 11, 7}};
        QVERIFY(!Arrange::changesAnything(Command::Left, aligned, kBackground));
        QVERIFY(Arrange::changesAnything(Command::Right, aligned, kBackground));
        const Rects spaced{{0, 0, 10, 5}, {15, 9, 10, 5}, {30, 3, 10, 5}};
        QVERIFY(!Arrange::changesAnything(Command::DistributeH, spaced, kBackground));
        QVERIFY(Arrange::changesAnything(Command::DistributeV, spaced, kBackground));
    }

    void snap_data()
    {
        QTest::addColumn<QRect>("moving");
        QTest::addColumn<Rects>("others");
        QTest::addColumn<QRect>("background");
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<int>("guideX"); // -1: none
        QTest::addColumn<int>("guideY");
        const Rects other{{100, 40, 20, 20}};
        QTest::newRow("left edge to right edge")
            << QRect(122, 70, 10, 10) << other << kBackground << 3 << QPoint(-2, 0) << 120 << -1;
        QTest::newRow("centre to background centre")
            << QRect(93, 46, 10, 10) << Rects() << kBackground << 3 << QPoint(2, -1) << 100 << 50;
        QTest::newRow("nothing within tolerance")
            << QRect(30, 20, 10, 10) << other << kBackground << 3 << QPoint() << -1 << -1;
        QTest::newRow("nearest wins")
            << QRect(104, 63, 10, 10) << other << kBackground << 5 << QPoint(1, -3) << 110 << 60;
        QTest::newRow("a snap past 0 is not taken")
            << QRect(1, 70, 12, 10) << Rects{{11, 0, 30, 30}} << QRect() << 4 << QPoint(4, 0) << 11
            << -1;
    }
    void snap()
    {
        QFETCH(QRect, moving);
        QFETCH(Rects, others);
        QFETCH(QRect, background);
        QFETCH(int, tolerance);
        QFETCH(QPoint, offset);
        QFETCH(int, guideX);
        QFETCH(int, guideY);
        const Arrange::Snap snap = Arrange::snap(moving, others, background, tolerance);
        QCOMPARE(snap.offset, offset);
        QCOMPARE(snap.guideX.value_or(-1), guideX);
        QCOMPARE(snap.guideY.value_or(-1), guideY);
    }

    // Each icon 24 x 24, with ink on a clear ground, and no two alike.
    void icons()
    {
        std::vector<QImage> drawn;
        for (const Arrange::Entry &entry : Arrange::entries()) {
            const QIcon icon = Arrange::icon(entry.command);
            QVERIFY(icon.availableSizes().contains(QSize(24, 24)));
            const QImage image = icon.pixmap(QSize(24, 24), 1.0).toImage();
            QCOMPARE(image.size(), QSize(24, 24));
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            int inked = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    inked += qAlpha(image.pixel(x, y)) != 0;
            QVERIFY2(inked > 24, qPrintable(entry.caption.toString()));
            QVERIFY(std::find(drawn.begin(), drawn.end(), image) == drawn.end());
            drawn.push_back(image);
        }
    }
};

QTEST_MAIN(tst_Arrange)
#include "tst_arrange.moc"
