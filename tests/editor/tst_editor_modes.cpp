// The side menu, the edit modes and the check boxes that switch fields on and off.
#include "EditorFixture.h"
#include "ScriptedDialogs.h"
#include "editor/panels/ControlTag.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

class tst_EditorModes : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        editor = std::make_unique<StartedEditor>();
        window = &editor->window;
        QVERIFY(window->Form_Load());
    }
    void cleanup() { editor.reset(); }

    void menuSets_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<int>("shown");
        QTest::newRow("edit while edit shown") << QList<int>{1} << 1;
        QTest::newRow("file") << QList<int>{0} << 0;
        QTest::newRow("file twice") << QList<int>{0, 0} << 0;
        QTest::newRow("file then edit") << QList<int>{0, 1} << 1;
    }
    void menuSets()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(int, shown);
        hooks(*window).imgMenu(3)->click();
        for (int index : clicks) {
            hooks(*window).cmdMenu(index)->click();
        }
        QCOMPARE(hooks(*window).editMenuShown(), qint16(shown));
        QCOMPARE(hooks(*window).cmdMenu(0)->isEnabled(), shown == 1);
        QCOMPARE(hooks(*window).cmdMenu(1)->isEnabled(), shown == 0);
        for (std::size_t i = 0; i < 10; ++i) {
            QCOMPARE(hooks(*window).imgMenu(i)->isHidden(), (i <= 6) != (shown == 1));
        }
        // Switching the set leaves the selected panel in place.
        for (std::size_t i = 0; i <= 6; ++i) {
            QCOMPARE(hooks(*window).picture2(i)->isHidden(), i != 3);
        }
        QCOMPARE(tagOf(hooks(*window).imgMenu(3)), u"PrevDown"_s);
    }

    void modes_data()
    {
        QTest::addColumn<QList<int>>("choices");
        for (int mode = 0; mode <= 6; ++mode) {
            QTest::addRow("0 to %d", mode) << QList<int>{mode};
        }
        QTest::newRow("3 then 5") << QList<int>{3, 5};
        QTest::newRow("6 twice") << QList<int>{6, 6};
        QTest::newRow("2, 4, 2") << QList<int>{2, 4, 2};
    }
    void modes()
    {
        QFETCH(QList<int>, choices);
        for (int mode : choices) {
            hooks(*window).imgMenu(mode)->click();
        }
        const int selected = choices.constLast();
        for (int i = 0; i <= 6; ++i) {
            const auto index = static_cast<std::size_t>(i);
            QCOMPARE(hooks(*window).picture2(index)->isHidden(), i != selected);
            QCOMPARE(tagOf(hooks(*window).imgMenu(index)),
                     i == selected ? u"PrevDown"_s : QString());
            // Buttons that were ever selected or start selected show a package picture.
            if (i == 0 || choices.contains(i)) {
                QVERIFY2(sameColor(shownColor(hooks(*window).imgMenu(index)),
                                   ProgramFolder::modeColor(i, i == selected)),
                         qPrintable(hooks(*window).imgMenu(index)->objectName()));
            }
        }
        QVERIFY(editor->messages.messages.isEmpty());
    }

    // A missing picture is reported once, an unreadable one not at all; either
    // way the switch completes and that button keeps the picture it had.
    void brokenModePicture_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("missing");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("brokenButton");
        QTest::newRow("selected picture missing") << u"edit_4g.jpg"_s << true << 3 << 3;
        QTest::newRow("unselected picture missing") << u"edit_1.jpg"_s << true << 2 << 0;
        QTest::newRow("selected picture unreadable") << u"edit_5g.jpg"_s << false << 4 << 4;
    }
    void brokenModePicture()
    {
        QFETCH(QString, file);
        QFETCH(bool, missing);
        QFETCH(int, mode);
        QFETCH(int, brokenButton);
        if (missing) {
            QVERIFY(QFile::remove(editor->folder.packageFile(file)));
        } else {
            editor->folder.writeBytes(file, QByteArray(500, 'x'));
        }
        const auto broken = static_cast<std::size_t>(brokenButton);
        const qint64 before = hooks(*window).imgMenu(broken)->pixmap().cacheKey();
        QVERIFY(before != 0); // a picture to keep
        hooks(*window).imgMenu(mode)->click();

        const auto &messages = editor->messages.messages;
        QCOMPARE(messages.size(), missing ? 1 : 0);
        if (missing) {
            QCOMPARE(messages.last().text, u"ファイルが見つかりません\r\n編集中のスキンを保存し、終"
                                           u"了してください\r\nエラー:53"_s);
            QCOMPARE(messages.last().title, u"編集モード切替"_s);
            QCOMPARE(messages.last().icon, MessageIcon::Stop);
        }
        QVERIFY(!hooks(*window).picture2(static_cast<std::size_t>(mode))->isHidden());
        QVERIFY(hooks(*window).picture2(0)->isHidden());
        QCOMPARE(tagOf(hooks(*window).imgMenu(static_cast<std::size_t>(mode))), u"PrevDown"_s);
        QCOMPARE(hooks(*window).imgMenu(broken)->pixmap().cacheKey(), before);
        const int other = brokenButton == 0 ? mode : 0;
        QVERIFY(sameColor(shownColor(hooks(*window).imgMenu(static_cast<std::size_t>(other))),
                          ProgramFolder::modeColor(other, other == mode)));
    }

    void fileSetRunsFileCommands_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("action");
        QTest::newRow("new") << 7 << u"mnuFileNew"_s;
        QTest::newRow("open") << 8 << u"mnuFileOpen"_s;
        QTest::newRow("save") << 9 << u"mnuFileSave"_s;
    }
    void fileSetRunsFileCommands()
    {
        QFETCH(int, button);
        QFETCH(QString, action);
        ScriptedDialogs dialogs; // the commands' dialogs are cancelled
        hooks(*window).setDialogProvider(dialogs);
        QSignalSpy spy(window->findChild<QAction *>(action), &QAction::triggered);
        hooks(*window).imgMenu(button)->click(); // edit set shown: no file command, no mode
        QCOMPARE(spy.count(), 0);
        QVERIFY(!hooks(*window).picture2(0)->isHidden());
        hooks(*window).cmdMenu(0)->click();
        hooks(*window).imgMenu(button)->click();
        QCOMPARE(spy.count(), 1);
        // A save of the empty skin brought the background field forward in
        // the edit set; mode buttons do nothing while the file set is shown.
        hooks(*window).cmdMenu(0)->click();
        hooks(*window).imgMenu(2)->click();
        QVERIFY(!hooks(*window).picture2(0)->isHidden());
        QVERIFY(hooks(*window).picture2(2)->isHidden());
    }

    void clickOnThePicture()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::mouseClick(hooks(*window).imgMenu(5), Qt::LeftButton);
        QVERIFY(!hooks(*window).picture2(5)->isHidden());
        QTest::mouseClick(hooks(*window).cmdMenu(0), Qt::LeftButton);
        QCOMPARE(hooks(*window).editMenuShown(), qint16(0));
    }

    void check1SwitchesItsField_data()
    {
        QTest::addColumn<int>("box");
        for (int box = 0; box < 23; ++box) {
            QTest::addRow("Check1(%d)", box) << box;
        }
    }
    void check1SwitchesItsField()
    {
        QFETCH(int, box);
        QCheckBox *check = hooks(*window).Check1(static_cast<std::size_t>(box));
        QLineEdit *field = hooks(*window).Text1(static_cast<std::size_t>(tagIndex(check)));
        QPushButton *browse = hooks(*window).Command2(static_cast<std::size_t>(tagIndex(field)));
        field->setText(u"/skins/a.bmp"_s);
        for (bool on : {true, false}) {
            check->setChecked(on);
            // The control's own flag; a greyed frame around it does not count.
            QCOMPARE(field->isEnabledTo(field->parentWidget()), on);
            QCOMPARE(browse->isEnabledTo(browse->parentWidget()), on);
            QCOMPARE(looksWhite(field), on);
            QCOMPARE(looksGrey(field), !on);
        }
        QCOMPARE(field->text(), u"/skins/a.bmp"_s);
    }

    void settingTheSameValueRunsNothing()
    {
        QLineEdit *up = hooks(*window).Text1(19);
        WidgetColors::setBackColor(up, Qt::green);
        hooks(*window).Check2(0)->setChecked(false); // already unchecked
        QCOMPARE(WidgetColors::backColor(up), QColor(Qt::green));
        hooks(*window).Check2(0)->setChecked(true);
        QVERIFY(looksWhite(up));
    }

    // Walks each section as laid out: the frame the box stands on, its fields
    // and its own image boxes, without restating the index tables.
    void check2SwitchesItsSection_data()
    {
        QTest::addColumn<int>("box");
        for (int box = 0; box < 13; ++box) {
            QTest::addRow("Check2(%d)", box) << box;
        }
    }
    void check2SwitchesItsSection()
    {
        QFETCH(int, box);
        QCheckBox *check = hooks(*window).Check2(static_cast<std::size_t>(box));
        // The box heads its frame from outside, so greying the frame leaves it usable.
        QGroupBox *frame = nullptr;
        for (QGroupBox *candidate : hooks(*window).Frame1()) {
            if (candidate->parentWidget() == check->parentWidget() &&
                candidate->geometry().contains(check->geometry().center() + QPoint(0, 3)) &&
                check->y() - candidate->y() <= 2) {
                QVERIFY(!frame);
                frame = candidate;
            }
        }
        QVERIFY(frame);
        QVERIFY(frame->title().isEmpty());
        QCOMPARE(check->palette().color(QPalette::WindowText), QColor(128, 128, 255));

        const auto fields = frame->findChildren<QLineEdit *>();
        const auto imageBoxes = frame->findChildren<QCheckBox *>();
        QVERIFY(!fields.isEmpty());
        for (QLineEdit *field : fields) {
            field->setText(u"12"_s);
        }
        // Only the first image is on: the others must stay grey when the
        // section comes back.
        if (!imageBoxes.isEmpty()) {
            imageBoxes.first()->setChecked(true);
        }
        for (bool on : {true, false, true}) {
            check->setChecked(on);
            QCOMPARE(frame->isEnabled(), on);
            QVERIFY(check->isEnabled());
            for (QLineEdit *field : fields) {
                const bool imageOff =
                    std::any_of(imageBoxes.begin(), imageBoxes.end(), [&](const QCheckBox *image) {
                        return !image->isChecked() &&
                               hooks(*window).Text1(static_cast<std::size_t>(tagIndex(image))) ==
                                   field;
                    });
                QVERIFY2(looksWhite(field) == (on && !imageOff), qPrintable(field->objectName()));
                QVERIFY2(looksGrey(field) == !looksWhite(field), qPrintable(field->objectName()));
                QCOMPARE(field->text(), u"12"_s);
            }
            for (QCheckBox *image : imageBoxes) {
                QCOMPARE(image->isEnabled(), on);
            }
            for (QRadioButton *option : frame->findChildren<QRadioButton *>()) {
                QCOMPARE(option->isEnabled(), on);
            }
            for (QComboBox *list : frame->findChildren<QComboBox *>()) {
                QCOMPARE(looksWhite(list), on);
                QCOMPARE(looksGrey(list), !on);
            }
        }
    }

private:
    std::unique_ptr<StartedEditor> editor;
    frmMain *window = nullptr;
};

QTEST_MAIN(tst_EditorModes)
#include "tst_editor_modes.moc"
