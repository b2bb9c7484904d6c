// The side menu, the edit modes and the check boxes that switch fields on and off.
#include "NullArchiver.h"
#include "ProgramFolder.h"
#include "RecordingMessageSink.h"
#include "editor/ControlTag.h"
#include "editor/WidgetColors.h"
#include "editor/frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool isWhite(const QWidget *field)
{
    return WidgetColors::backColor(field) == WidgetColors::white();
}

bool isGrey(const QWidget *field)
{
    return WidgetColors::backColor(field) == WidgetColors::buttonFace();
}

// The control's own enabled flag; a greyed frame around it does not count.
bool ownEnabled(const QWidget *control)
{
    return control->isEnabledTo(control->parentWidget());
}

} // namespace

class tst_EditorModes : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        folder = std::make_unique<ProgramFolder>();
        folder->writeModePictures();
        messages = std::make_unique<RecordingMessageSink>();
        window = std::make_unique<frmMain>(*messages, folder->path(), missingArchiver);
        QVERIFY(window->Form_Load());
    }
    void cleanup()
    {
        window.reset();
        messages.reset();
        folder.reset();
    }

    void menuSets_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<int>("shown");
        QTest::newRow("edit while edit shown") << QList<int>{1} << 1;
        QTest::newRow("file") << QList<int>{0} << 0;
        QTest::newRow("file twice") << QList<int>{0, 0} << 0;
        QTest::newRow("file then edit") << QList<int>{0, 1} << 1;
        QTest::newRow("any index but 0 is edit") << QList<int>{0, 5} << 1;
    }
    void menuSets()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(int, shown);
        window->imgMenu_Click(3);
        for (int index : clicks) {
            window->cmdMenu_Click(index);
        }
        QCOMPARE(window->editMenuShown, qint16(shown));
        QCOMPARE(window->cmdMenu[0]->isEnabled(), shown == 1);
        QCOMPARE(window->cmdMenu[1]->isEnabled(), shown == 0);
        for (std::size_t i = 0; i < 10; ++i) {
            QCOMPARE(window->imgMenu[i]->isHidden(), (i <= 6) != (shown == 1));
        }
        // Switching the set leaves the selected panel in place.
        for (std::size_t i = 0; i <= 6; ++i) {
            QCOMPARE(window->picture2[i]->isHidden(), i != 3);
        }
        QCOMPARE(tagOf(window->imgMenu[3]), u"PrevDown"_s);
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
            window->imgMenu_Click(mode);
        }
        const int selected = choices.constLast();
        for (int i = 0; i <= 6; ++i) {
            const auto index = static_cast<std::size_t>(i);
            QCOMPARE(window->picture2[index]->isHidden(), i != selected);
            QCOMPARE(tagOf(window->imgMenu[index]), i == selected ? u"PrevDown"_s : QString());
            // Buttons that were ever selected or start selected show a package picture.
            const bool touched = i == 0 || choices.contains(i);
            if (touched) {
                QVERIFY2(sameColor(shownColor(window->imgMenu[index]),
                                   ProgramFolder::modeColor(i, i == selected)),
                         qPrintable(window->imgMenu[index]->objectName()));
            }
        }
        QVERIFY(messages->messages.isEmpty());
    }

    void missingSelectedPictureIsReportedOnce()
    {
        window->imgMenu_Click(3);
        window->imgMenu_Click(0);
        QVERIFY(sameColor(shownColor(window->imgMenu[3]), ProgramFolder::modeColor(3, false)));
        folder->remove(u"edit_4g.jpg"_s);

        window->imgMenu_Click(3);
        QCOMPARE(messages->messages.size(), 1);
        QCOMPARE(messages->last().text, u"ファイルが見つかりません\r\n編集中のスキンを保存し、終了"
                                        u"してください\r\nエラー:53"_s);
        QCOMPARE(messages->last().title, u"編集モード切替"_s);
        QCOMPARE(messages->last().icon, MessageIcon::Stop);
        // The switch completes; the button keeps the picture it had.
        QVERIFY(!window->picture2[3]->isHidden());
        QVERIFY(window->picture2[0]->isHidden());
        QCOMPARE(tagOf(window->imgMenu[3]), u"PrevDown"_s);
        QVERIFY(sameColor(shownColor(window->imgMenu[3]), ProgramFolder::modeColor(3, false)));
        QVERIFY(sameColor(shownColor(window->imgMenu[0]), ProgramFolder::modeColor(0, false)));
    }

    void missingUnselectedPictureStillSwitches()
    {
        folder->remove(u"edit_1.jpg"_s);
        window->imgMenu_Click(2);
        QCOMPARE(messages->messages.size(), 1);
        QCOMPARE(messages->last().title, u"編集モード切替"_s);
        QVERIFY(!window->picture2[2]->isHidden());
        QVERIFY(sameColor(shownColor(window->imgMenu[2]), ProgramFolder::modeColor(2, true)));
        QVERIFY(sameColor(shownColor(window->imgMenu[0]), ProgramFolder::modeColor(0, true)));
    }

    void unreadablePictureKeepsPreviousAndSwitches()
    {
        folder->writeBytes(u"edit_5g.jpg"_s, QByteArray(500, 'x'));
        window->imgMenu_Click(4);
        QVERIFY(messages->messages.isEmpty());
        QVERIFY(!window->picture2[4]->isHidden());
        QCOMPARE(tagOf(window->imgMenu[4]), u"PrevDown"_s);
        QVERIFY(sameColor(shownColor(window->imgMenu[0]), ProgramFolder::modeColor(0, false)));
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
        QSignalSpy spy(window->findChild<QAction *>(action), &QAction::triggered);
        window->imgMenu_Click(button); // edit set shown: no file command, no mode
        QCOMPARE(spy.count(), 0);
        QVERIFY(!window->picture2[0]->isHidden());
        window->cmdMenu_Click(0);
        window->imgMenu_Click(button);
        QCOMPARE(spy.count(), 1);
        window->imgMenu_Click(2); // mode buttons do nothing while the file set is shown
        QVERIFY(!window->picture2[0]->isHidden());
        QVERIFY(window->picture2[2]->isHidden());
    }

    void clickOnThePicture()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTest::mouseClick(window->imgMenu[5], Qt::LeftButton);
        QVERIFY(!window->picture2[5]->isHidden());
        QTest::mouseClick(window->cmdMenu[0], Qt::LeftButton);
        QCOMPARE(window->editMenuShown, qint16(0));
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
        QCheckBox *check = window->Check1[static_cast<std::size_t>(box)];
        QLineEdit *field = window->Text1[static_cast<std::size_t>(tagIndex(check))];
        QPushButton *browse = window->Command2[static_cast<std::size_t>(tagIndex(field))];
        field->setText(u"/skins/a.bmp"_s);
        check->setChecked(true);
        QVERIFY(ownEnabled(field));
        QVERIFY(isWhite(field));
        QVERIFY(ownEnabled(browse));
        check->setChecked(false);
        QVERIFY(!ownEnabled(field));
        QVERIFY(isGrey(field));
        QVERIFY(!ownEnabled(browse));
        QCOMPARE(field->text(), u"/skins/a.bmp"_s);
    }

    void settingTheSameValueRunsNothing()
    {
        QLineEdit *up = window->Text1[19];
        WidgetColors::setBackColor(up, Qt::green);
        window->Check2[0]->setChecked(false); // already unchecked
        QCOMPARE(WidgetColors::backColor(up), QColor(Qt::green));
        window->Check2[0]->setChecked(true);
        QVERIFY(isWhite(up));
    }

    // Walks each section as laid out: the frame the box heads, its fields and
    // its own image boxes, without restating the index tables.
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
        QCheckBox *check = window->Check2[static_cast<std::size_t>(box)];
        QGroupBox *frame = headedFrame(check);
        QVERIFY(frame);
        const auto fields = frame->findChildren<QLineEdit *>();
        const auto imageBoxes = frame->findChildren<QCheckBox *>();
        QVERIFY(!fields.isEmpty());
        for (QLineEdit *field : fields) {
            field->setText(u"12"_s);
        }

        check->setChecked(true);
        QVERIFY(frame->isEnabled());
        for (QCheckBox *image : imageBoxes) {
            QVERIFY(image->isEnabled());
        }
        for (QLineEdit *field : fields) {
            // Image fields whose own box is off keep their grey.
            QCOMPARE(isWhite(field), !switchedOff(field, imageBoxes));
        }
        for (QRadioButton *option : frame->findChildren<QRadioButton *>()) {
            QVERIFY(option->isEnabled());
        }
        for (QComboBox *list : frame->findChildren<QComboBox *>()) {
            QVERIFY(isWhite(list));
        }

        // Turn the first image on, then the section off and on again.
        if (!imageBoxes.isEmpty()) {
            imageBoxes.first()->setChecked(true);
        }
        check->setChecked(false);
        QVERIFY(!frame->isEnabled());
        QVERIFY(check->isEnabled());
        for (QLineEdit *field : fields) {
            QVERIFY2(isGrey(field), qPrintable(field->objectName()));
            QCOMPARE(field->text(), u"12"_s);
        }
        for (QCheckBox *image : imageBoxes) {
            QVERIFY(!image->isEnabled());
        }
        for (QRadioButton *option : frame->findChildren<QRadioButton *>()) {
            QVERIFY(!option->isEnabled());
        }
        for (QComboBox *list : frame->findChildren<QComboBox *>()) {
            QVERIFY(isGrey(list));
        }
        check->setChecked(true);
        for (QLineEdit *field : fields) {
            QCOMPARE(isWhite(field), !switchedOff(field, imageBoxes));
        }
        if (!imageBoxes.isEmpty()) {
            QVERIFY(isWhite(window->Text1[static_cast<std::size_t>(tagIndex(imageBoxes.first()))]));
        }
    }

private:
    QGroupBox *headedFrame(const QCheckBox *check) const
    {
        for (QGroupBox *frame : window->Frame1) {
            if (frame->parentWidget() == check->parentWidget() &&
                frame->geometry().contains(check->geometry().center())) {
                return frame;
            }
        }
        return nullptr;
    }

    bool switchedOff(const QLineEdit *field, const QList<QCheckBox *> &boxes) const
    {
        for (QCheckBox *box : boxes) {
            if (window->Text1[static_cast<std::size_t>(tagIndex(box))] == field) {
                return !box->isChecked();
            }
        }
        return false;
    }

    std::unique_ptr<ProgramFolder> folder;
    std::unique_ptr<RecordingMessageSink> messages;
    std::unique_ptr<frmMain> window;
};

QTEST_MAIN(tst_EditorModes)
#include "tst_editor_modes.moc"
