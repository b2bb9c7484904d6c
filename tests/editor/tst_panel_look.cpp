// The look of the panels as drawn: whole boxes, captions level with their
// fields, one font size, legible browse buttons and the tool tips.
#include "RecordingMessageSink.h"
#include "editor/window/frmMainTestHooks.h"
#include "packaging/Archiver.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// First and last rows of a picture that hold pixels clearly darker than the
// background at the right end of its middle row, within the given columns and
// leaving fromY rows at the top and bottom; -1 when none do.
std::pair<int, int> inkRows(const QImage &image, int fromX, int toX, int fromY, int darker)
{
    const int background = QColor(image.pixel(toX, image.height() / 2)).lightness();
    int first = -1;
    int last = -1;
    for (int y = fromY; y < image.height() - fromY; ++y) {
        for (int x = fromX; x <= toX; ++x) {
            if (background - QColor(image.pixel(x, y)).lightness() > darker) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

} // namespace

class tst_PanelLook : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        window = std::make_unique<frmMain>(messages, QDir::tempPath(),
                                           [] { return std::unique_ptr<Archiver>(); });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanupTestCase() { window.reset(); }

    // The 13-pixel check and option boxes are drawn whole inside their control.
    void boxesAreWhole()
    {
        QList<QAbstractButton *> boxes;
        boxes << QList<QAbstractButton *>(hooks(*window).Check1().begin(),
                                          hooks(*window).Check1().end())
              << QList<QAbstractButton *>(hooks(*window).Check2().begin(),
                                          hooks(*window).Check2().end())
              << QList<QAbstractButton *>(hooks(*window).Option1().begin(),
                                          hooks(*window).Option1().end());
        for (QAbstractButton *box : boxes) {
            QStyleOptionButton option;
            option.initFrom(box);
            const bool check = qobject_cast<QCheckBox *>(box) != nullptr;
            const QRect indicator = box->style()->subElementRect(
                check ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator, &option,
                box);
            QVERIFY2(box->rect().contains(indicator), qPrintable(box->objectName()));
        }
    }

    void captionsLevelWithTheirFields_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QString>("beside");
        QTest::newRow("title") << u"タイトル"_s << u"Frame1_0"_s << u"Text1_0"_s;
        QTest::newRow("background") << u"背景画像"_s << u"Frame1_1"_s << u"Text1_3"_s;
        QTest::newRow("normal image") << u"通常の画像"_s << u"Frame1_2"_s << u"Text1_4"_s;
        QTest::newRow("button TOP") << u"TOP"_s << u"Frame1_2"_s << u"Text1_7"_s;
        QTest::newRow("playlist TOP") << u"TOP"_s << u"Frame1_15"_s << u"Text1_66"_s;
        QTest::newRow("slider height") << u"高さ"_s << u"Frame1_12"_s << u"Text1_78"_s;
        QTest::newRow("title bar options") << u"タイトルバー"_s << u"Frame1_1"_s << u"Option1_0"_s;
    }
    void captionsLevelWithTheirFields()
    {
        QFETCH(QString, caption);
        QFETCH(QString, frame);
        QFETCH(QString, beside);
        QLabel *label = nullptr;
        for (QLabel *candidate : hooks(*window).Label1()) {
            if (candidate->text() == caption && candidate->parentWidget()->objectName() == frame) {
                label = candidate;
            }
        }
        QVERIFY(label);
        auto *control = window->findChild<QWidget *>(beside);
        QVERIFY(control);
        // Inside a field's two-pixel frame; past an option's round box.
        int textLeft = 3;
        int textTop = 2;
        if (auto *field = qobject_cast<QLineEdit *>(control)) {
            field->setText(caption);
        } else {
            textLeft = 16;
            textTop = 0;
        }
        const QImage labelPicture = label->grab().toImage();
        const QImage controlPicture = control->grab().toImage();
        const auto [labelTop, labelBottom] =
            inkRows(labelPicture, 0, labelPicture.width() - 1, 0, 40);
        const auto [top, bottom] =
            inkRows(controlPicture, textLeft, controlPicture.width() - 4, textTop, 40);
        QVERIFY(labelTop >= 0 && top >= 0);
        const double labelMiddle = label->y() + (labelTop + labelBottom) / 2.0;
        const double controlMiddle = control->y() + (top + bottom) / 2.0;
        QVERIFY2(qAbs(labelMiddle - controlMiddle) <= 1.0,
                 qPrintable(u"%1 against %2 (margin %3, rows %4..%5 and %6..%7)"_s.arg(labelMiddle)
                                .arg(controlMiddle)
                                .arg(label->contentsMargins().top())
                                .arg(labelTop)
                                .arg(labelBottom)
                                .arg(top)
                                .arg(bottom)));
    }

    void oneFontSizeThroughout()
    {
        const int size = window->font().pixelSize();
        QVERIFY(size > 0);
        // Every drop-down menu of the bar, those added later included.
        for (QAction *entry : window->menuBar()->actions()) {
            QVERIFY(entry->menu());
            QCOMPARE(QFontInfo(entry->menu()->font()).pixelSize(),
                     QFontInfo(window->font()).pixelSize());
        }
        QCOMPARE(window->menuBar()->font().pixelSize(), size);
        for (QLineEdit *field : hooks(*window).Text1()) {
            QCOMPARE(field->font().pixelSize(), size);
        }
    }

    // The dots of "・・" stand out from the button face, also when greyed.
    void browseButtonsAreLegible_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("contrast");
        QTest::newRow("enabled") << 0 << true << 120;
        QTest::newRow("disabled") << 2 << false << 60;
    }
    void browseButtonsAreLegible()
    {
        QFETCH(int, button);
        QFETCH(bool, enabled);
        QFETCH(int, contrast);
        QPushButton *browse = hooks(*window).Command2(std::size_t(button));
        browse->setEnabled(enabled);
        QCOMPARE(browse->text(), u"・・"_s);
        const QImage picture = browse->grab().toImage();
        const int face = QColor(picture.pixel(4, picture.height() / 2)).lightness();
        int dark = 0;
        for (int y = 3; y < picture.height() - 3; ++y) {
            for (int x = 3; x < picture.width() - 3; ++x) {
                dark += face - QColor(picture.pixel(x, y)).lightness() >= contrast ? 1 : 0;
            }
        }
        QVERIFY2(dark >= 6, qPrintable(QString::number(dark)));
    }

    void toolTipsOnlyWhereADialogOpens()
    {
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            const QString tip = widget->toolTip();
            if (widget->objectName().startsWith(u"Command2_"_s)) {
                QCOMPARE(tip, u"画像ファイルを選択"_s);
            } else if (widget->objectName().startsWith(u"Label2_"_s)) {
                QCOMPARE(tip, u"色を選択"_s);
            } else {
                QVERIFY2(tip.isEmpty(), qPrintable(widget->objectName()));
            }
        }
    }

private:
    RecordingMessageSink messages;
    std::unique_ptr<frmMain> window;
};

QTEST_MAIN(tst_PanelLook)
#include "tst_panel_look.moc"
