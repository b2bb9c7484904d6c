// The main window's controls: indices, names, places and the Tag links.
#include "RecordingMessageSink.h"
#include "editor/panels/ControlTag.h"
#include "editor/panels/LayoutTables.h"
#include "editor/widgets/ImageButton.h"
#include "editor/window/frmMainTestHooks.h"
#include "packaging/Archiver.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <span>

using namespace Qt::StringLiterals;

namespace {

template <typename T, std::size_t N>
void collect(QList<QWidget *> &all, std::span<T *const, N> controls)
{
    all.append(QList<QWidget *>(controls.begin(), controls.end()));
}

// The section frame that holds a place, through the borderless groups inside
// a frame; -1 outside every frame.
int sectionFrameOf(Layout::Holder holder)
{
    while (holder.kind == Layout::HolderKind::Frame &&
           Layout::kFrames.at(std::size_t(holder.index)).holder.kind == Layout::HolderKind::Frame) {
        holder = Layout::kFrames.at(std::size_t(holder.index)).holder;
    }
    return holder.kind == Layout::HolderKind::Frame ? holder.index : -1;
}

template <std::size_t N>
int sectionFrameOf(const std::array<std::optional<Layout::Place>, N> &places, int index)
{
    return sectionFrameOf(places.at(std::size_t(index)).value().holder);
}

} // namespace

class tst_EditorLayout : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        messages = std::make_unique<RecordingMessageSink>();
        window = std::make_unique<frmMain>(*messages, QDir::tempPath(),
                                           [] { return std::unique_ptr<Archiver>(); });
    }
    void cleanup()
    {
        window.reset();
        QVERIFY(messages->messages.isEmpty());
    }

    void everyControlExistsWithItsName()
    {
        QList<QWidget *> all;
        collect(all, hooks(*window).cmdMenu());
        collect(all, hooks(*window).imgMenu());
        collect(all, hooks(*window).picture2());
        collect(all, hooks(*window).imgTitle());
        collect(all, hooks(*window).Frame1());
        collect(all, hooks(*window).Text1());
        collect(all, hooks(*window).Command2());
        collect(all, hooks(*window).Check1());
        collect(all, hooks(*window).Check2());
        collect(all, hooks(*window).Label2());
        collect(all, hooks(*window).Option1());
        collect(all, hooks(*window).Combo1());
        collect(all, hooks(*window).Label1());
        QSet<QString> names;
        for (QWidget *widget : all) {
            QVERIFY(widget != nullptr);
            names.insert(widget->objectName());
            // Exactly one widget of the window answers to each name.
            QCOMPARE(window->findChildren<QWidget *>(widget->objectName()).size(), 1);
        }
        QCOMPARE(names.size(), all.size());
        QCOMPARE(hooks(*window).Check2(12)->objectName(), u"Check2_12"_s);
    }

    void placesInTwips_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("pixels");
        // Places from the layout, divided by 15.
        QTest::newRow("Picture1") << u"Picture1"_s << u"frmMainClient"_s << QRect(4, 3, 121, 595);
        QTest::newRow("cmdMenu_1") << u"cmdMenu_1"_s << u"Picture1"_s << QRect(1, 24, 115, 23);
        QTest::newRow("imgMenu_0") << u"imgMenu_0"_s << u"Picture1"_s << QRect(2, 49, 113, 77);
        QTest::newRow("imgMenu_7 on imgMenu_0")
            << u"imgMenu_7"_s << u"Picture1"_s << QRect(2, 49, 113, 77);
        QTest::newRow("imgMenu_8 on imgMenu_1")
            << u"imgMenu_8"_s << u"Picture1"_s << QRect(2, 126, 113, 77);
        QTest::newRow("imgMenu_9 on imgMenu_2")
            << u"imgMenu_9"_s << u"Picture1"_s << QRect(2, 203, 113, 77);
        QTest::newRow("imgMenu_6") << u"imgMenu_6"_s << u"Picture1"_s << QRect(2, 511, 113, 77);
        QTest::newRow("picture2_4")
            << u"picture2_4"_s << u"frmMainClient"_s << QRect(128, 3, 610, 595);
        QTest::newRow("picture2_7") << u"picture2_7"_s << u"picture2_6"_s << QRect(1, 1, 42, 34);
        QTest::newRow("picture2_8 below the panel")
            << u"picture2_8"_s << u"picture2_6"_s << QRect(0, 601, 42, 34);
        QTest::newRow("imgTitle_5") << u"imgTitle_5"_s << u"picture2_5"_s << QRect(0, 0, 606, 41);
        QTest::newRow("Frame1_1") << u"Frame1_1"_s << u"picture2_0"_s << QRect(14, 159, 573, 89);
        QTest::newRow("Text1_3") << u"Text1_3"_s << u"Frame1_1"_s << QRect(83, 19, 452, 18);
        QTest::newRow("Command2_0") << u"Command2_0"_s << u"Frame1_1"_s << QRect(536, 20, 26, 17);
        QTest::newRow("Frame1_7 at the foot of panel 2")
            << u"Frame1_7"_s << u"picture2_2"_s << QRect(15, 475, 581, 106);
        QTest::newRow("Text1_31 hover row of Frame1_7")
            << u"Text1_31"_s << u"Frame1_7"_s << QRect(163, 55, 383, 18);
        QTest::newRow("Label2_5") << u"Label2_5"_s << u"Frame1_7"_s << QRect(397, 77, 56, 18);
        QTest::newRow("Frame1_13") << u"Frame1_13"_s << u"picture2_3"_s << QRect(15, 168, 581, 116);
        QTest::newRow("Option1_4 vertical of Frame1_13")
            << u"Option1_4"_s << u"Frame1_13"_s << QRect(510, 88, 45, 14);
        QTest::newRow("Text1_80 width of Frame1_13")
            << u"Text1_80"_s << u"Frame1_13"_s << QRect(272, 84, 56, 18);
        QTest::newRow("Combo1_1") << u"Combo1_1"_s << u"Frame1_16"_s << QRect(383, 86, 45, 20);
        QTest::newRow("Frame1_18") << u"Frame1_18"_s << u"Frame1_16"_s << QRect(266, 68, 303, 16);
        QTest::newRow("Option1_11") << u"Option1_11"_s << u"Frame1_18"_s << QRect(184, 1, 60, 13);
        QTest::newRow("Text1_73 width of Frame1_17")
            << u"Text1_73"_s << u"Frame1_17"_s << QRect(165, 44, 56, 18);
    }
    void placesInTwips()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, pixels);
        auto *widget = window->findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->geometry(), pixels);
    }

    // Every browse button names the path box in its row; each Check1 box names
    // one of the 23 optional path boxes, which names its browse button back.
    void tagsNameAFieldInTheirRow()
    {
        const auto inRow = [](const QWidget *path, const QWidget *control) {
            const int middle = control->geometry().center().y();
            return path->parentWidget() == control->parentWidget() &&
                   middle >= path->geometry().top() && middle <= path->geometry().bottom();
        };
        for (QPushButton *button : hooks(*window).Command2()) {
            const int field = tagIndex(button);
            QVERIFY2(field >= 0 && field < 83, qPrintable(button->objectName()));
            QLineEdit *path = hooks(*window).Text1(static_cast<std::size_t>(field));
            QVERIFY2(inRow(path, button), qPrintable(button->objectName()));
            QVERIFY(path->geometry().right() < button->geometry().left());
            QVERIFY(!path->property("number").toBool());
        }
        QSet<int> fields;
        for (QCheckBox *box : hooks(*window).Check1()) {
            const int field = tagIndex(box);
            QVERIFY2(field >= 0 && field < 83, qPrintable(box->objectName()));
            fields.insert(field);
            QLineEdit *path = hooks(*window).Text1(static_cast<std::size_t>(field));
            QVERIFY2(inRow(path, box), qPrintable(box->objectName()));
            const int button = tagIndex(path);
            QVERIFY2(button >= 0 && button < 37, qPrintable(path->objectName()));
            QCOMPARE(tagIndex(hooks(*window).Command2(static_cast<std::size_t>(button))), field);
        }
        QCOMPARE(fields.size(), 23);
        int tagged = 0;
        for (QLineEdit *field : hooks(*window).Text1()) {
            tagged += tagIndex(field) >= 0 ? 1 : 0;
        }
        QCOMPARE(tagged, 23);
    }

    // The section table and the layout agree: a section's controls stand in
    // its frame on its panel, and every Tag links two controls of one section.
    void everyTagNamesAFieldOfItsOwnSection()
    {
        const Layout::Plan plan = Layout::makePlan();
        for (const Sections::Section &section : Sections::kSections) {
            const int frame = section.frame;
            QCOMPARE(Layout::kFrames.at(std::size_t(frame)).holder, Layout::panel(section.panel));
            for (const Sections::ImageField &image : Sections::imageFields(section)) {
                QCOMPARE(sectionFrameOf(plan.text1, image.text), frame);
                QCOMPARE(sectionFrameOf(plan.command2, image.browse), frame);
            }
            for (const qint16 field : Sections::numberFields(section)) {
                QCOMPARE(sectionFrameOf(plan.text1, field), frame);
                QVERIFY(plan.text1.at(std::size_t(field))->number);
            }
            for (const qint16 swatch :
                 {section.transparency, section.foreColor, section.backColor}) {
                QVERIFY(swatch < 0 || sectionFrameOf(plan.label2, swatch) == frame);
            }
            for (const qint16 option :
                 {section.choice.on, section.choice.off, section.opaque.on, section.opaque.off}) {
                QVERIFY(option < 0 || sectionFrameOf(plan.option1, option) == frame);
            }
        }
        const auto sameSection = [&plan](const auto &places, int index, int field) {
            const int frame = sectionFrameOf(places, index);
            return frame >= 0 && sectionFrameOf(plan.text1, field) == frame;
        };
        for (int i = 0; i < int(plan.command2.size()); ++i) {
            QVERIFY2(sameSection(plan.command2, i, plan.command2[i]->tag),
                     qPrintable(QString::number(i)));
        }
        for (int i = 0; i < int(plan.check1.size()); ++i) {
            QVERIFY2(sameSection(plan.check1, i, plan.check1[i]->tag),
                     qPrintable(QString::number(i)));
        }
        for (int i = 0; i < int(plan.text1.size()); ++i) {
            const int browse = plan.text1[i]->tag;
            QVERIFY(browse < 0 || sameSection(plan.command2, browse, i));
        }
    }

    void pressedRowIndexOrder_data()
    {
        QTest::addColumn<int>("frame");
        QTest::addColumn<bool>("pressedHigher");
        for (int frame = 2; frame <= 11; ++frame) {
            QTest::addRow("Frame1(%d)", frame) << frame << (frame >= 7 && frame <= 10);
        }
    }
    void pressedRowIndexOrder()
    {
        QFETCH(int, frame);
        QFETCH(bool, pressedHigher);
        const auto boxes = hooks(*window)
                               .Frame1(static_cast<std::size_t>(frame))
                               ->findChildren<QCheckBox *>(Qt::FindDirectChildrenOnly);
        QCOMPARE(boxes.size(), 2);
        int pressed = -1;
        int hover = -1;
        for (QCheckBox *box : boxes) {
            (box->text() == u"クリックした時"_s ? pressed : hover) = tagIndex(box);
        }
        QVERIFY(pressed >= 0 && hover >= 0);
        QCOMPARE(pressed > hover, pressedHigher);
        // The pressed row lies above the hover row.
        QVERIFY(hooks(*window).Text1(static_cast<std::size_t>(pressed))->y() <
                hooks(*window).Text1(static_cast<std::size_t>(hover))->y());
    }

    // The caption of a frame is painted in the section colour, whatever the
    // style does with group box titles.
    void frameCaptionsArePaintedInSectionColour()
    {
        for (QGroupBox *frame : hooks(*window).Frame1()) {
            if (frame->title().isEmpty()) {
                continue; // headed by a Check2 box instead
            }
            const QImage picture = frame->grab().toImage();
            int captionPixels = 0;
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x) {
                    // Anti-aliased glyphs blend into the background: count
                    // the clearly blue pixels.
                    const QColor c(picture.pixel(x, y));
                    captionPixels += c.blue() - c.red() > 60 && c.blue() - c.green() > 60;
                }
            }
            QVERIFY2(captionPixels > 0, qPrintable(frame->title()));
        }
    }

    // A fixed caption is never cut off by the box the layout gives it.
    void captionsFitTheirBoxes()
    {
        for (QLabel *caption : hooks(*window).Label1()) {
            const int needed = caption->fontMetrics().horizontalAdvance(caption->text());
            QVERIFY2(!caption->text().isEmpty() && needed <= caption->width(),
                     qPrintable(caption->objectName() + u' ' + caption->text()));
        }
        for (const auto &boxes : {std::span<QCheckBox *const>(hooks(*window).Check1()),
                                  std::span<QCheckBox *const>(hooks(*window).Check2())}) {
            for (QCheckBox *box : boxes) {
                QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->text()));
            }
        }
        for (QRadioButton *option : hooks(*window).Option1()) {
            QVERIFY2(option->sizeHint().width() <= option->width(), qPrintable(option->text()));
        }
    }

    void radioPairsAreExclusiveByFrame()
    {
        for (std::size_t i = 0; i < hooks(*window).Option1().size(); i += 2) {
            QRadioButton *first = hooks(*window).Option1(i);
            QRadioButton *second = hooks(*window).Option1(i + 1);
            QCOMPARE(first->parentWidget(), second->parentWidget());
            first->setChecked(true);
            second->setChecked(true);
            QVERIFY(!first->isChecked());
        }
    }

    void menus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::newRow("new") << u"mnuFileNew"_s << u"新規作成(&N)"_s << QKeySequence(u"Ctrl+N"_s);
        QTest::newRow("open") << u"mnuFileOpen"_s << u"開く(&O)"_s << QKeySequence(u"Ctrl+O"_s);
        QTest::newRow("save") << u"mnuFileSave"_s << u"保存(&S)"_s << QKeySequence(u"Ctrl+S"_s);
        QTest::newRow("save as") << u"mnuFileAnotherSave"_s << u"名前を付けて保存(&A)"_s
                                 << QKeySequence();
        QTest::newRow("wmz") << u"mnuFileWmz"_s << u"WMZファイル作成(&W)"_s << QKeySequence();
        QTest::newRow("exit") << u"mnuFileExit"_s << u"Velmoraの終了(&X)"_s << QKeySequence();
        QTest::newRow("help") << u"mnuHelpOpen"_s << u"ヘルプを開く(&H)"_s << QKeySequence(u"F1"_s);
        QTest::newRow("version") << u"mnuHelpVersion"_s << u"バージョン情報(&A)"_s
                                 << QKeySequence();
    }
    void menus()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        auto *action = window->findChild<QAction *>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), shortcut);
    }

    void menuOrderAndWindowFrame()
    {
        QStringList names;
        for (QAction *action : hooks(*window).mnuFile()->actions()) {
            names << action->objectName();
        }
        QCOMPARE(names, (QStringList{u"mnuFileNew"_s, u"mnuFileOpen"_s, u"mnuFileSave"_s,
                                     u"mnuFileAnotherSave"_s, u"mnuFileSeparator0"_s,
                                     u"mnuFileWmz"_s, u"mnuFileSeparator1"_s, u"mnuFileExit"_s}));
        QVERIFY(hooks(*window).mnuFileSeparator0()->isSeparator());
        QCOMPARE(hooks(*window).mnuFile()->title(), u"ファイル(&F)"_s);
        QCOMPARE(hooks(*window).mnuHelp()->title(), u"ヘルプ(&H)"_s);
        QCOMPARE(hooks(*window).mnuHelp()->actions().size(), 3);
        QVERIFY(hooks(*window).mnuHelpSeparator()->isSeparator());
        // A fixed-size window: it can be minimised, not maximised.
        QVERIFY(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    }

private:
    std::unique_ptr<RecordingMessageSink> messages;
    std::unique_ptr<frmMain> window;
};

QTEST_MAIN(tst_EditorLayout)
#include "tst_editor_layout.moc"
