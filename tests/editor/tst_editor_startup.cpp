// Start-up and shutdown of the main window with a temporary program folder.
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
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_EditorStartup : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().size() <= 1); }

    void stateAfterStartUp()
    {
        ProgramFolder folder;
        folder.writeModePictures();
        RecordingMessageSink messages;
        frmMain window(messages, folder.path(), usableArchiver);
        QVERIFY(window.Form_Load());
        QVERIFY(messages.messages.isEmpty());

        QCOMPARE(window.windowTitle(), u"Velmora for WMP"_s);
        QVERIFY(window.currentFileName.isEmpty());
        QCOMPARE(window.editMenuShown, qint16(1));
        QCOMPARE(window.packagePath, folder.path() + u"/package/"_s);
        QCOMPARE(window.modeImageNames[0], u"edit_1.jpg"_s);
        QCOMPARE(window.modeSelectedImageNames[6], u"edit_7g.jpg"_s);
        QVERIFY(!window.picture2[0]->isHidden());
        for (int i = 1; i <= 6; ++i) {
            QVERIFY(window.picture2[static_cast<std::size_t>(i)]->isHidden());
        }
        for (int i = 0; i <= 9; ++i) {
            QCOMPARE(window.imgMenu[static_cast<std::size_t>(i)]->isHidden(), i > 6);
            QCOMPARE(tagOf(window.imgMenu[static_cast<std::size_t>(i)]),
                     i == 0 ? u"PrevDown"_s : QString());
        }
        QVERIFY(window.cmdMenu[0]->isEnabled());
        QVERIFY(!window.cmdMenu[1]->isEnabled());
        QVERIFY(sameColor(shownColor(window.imgMenu[0]), ProgramFolder::modeColor(0, true)));
        QVERIFY(window.mnuFileWmz->isEnabled());
        QVERIFY(window.hasZipWrapper());

        // Every optional image and element starts switched off and greyed.
        for (QCheckBox *box : window.Check1) {
            QVERIFY(!box->isChecked());
            QLineEdit *field = window.Text1[static_cast<std::size_t>(tagIndex(box))];
            QVERIFY(!field->isEnabled());
            QCOMPARE(WidgetColors::backColor(field), WidgetColors::buttonFace());
            QVERIFY(!window.Command2[static_cast<std::size_t>(tagIndex(field))]->isEnabled());
        }
        for (QCheckBox *box : window.Check2) {
            QVERIFY(!box->isChecked());
            QVERIFY(box->isEnabled());
        }
        for (std::size_t frame = 5; frame <= 17; ++frame) {
            QVERIFY2(!window.Frame1[frame]->isEnabled(), qPrintable(QString::number(frame)));
        }
        for (std::size_t frame : {0, 1, 2, 3, 4}) {
            QVERIFY(window.Frame1[frame]->isEnabled());
        }
        for (int option : {0, 2, 5, 7, 8, 10, 12}) {
            QVERIFY(window.Option1[static_cast<std::size_t>(option)]->isChecked());
            QVERIFY(!window.Option1[static_cast<std::size_t>(option ^ 1)]->isChecked());
        }

        QCOMPARE(window.Combo1[0]->count(), 13);
        QCOMPARE(window.Combo1[0]->itemText(0), u"8"_s);
        QCOMPARE(window.Combo1[0]->itemText(12), u"20"_s);
        QCOMPARE(window.Combo1[1]->count(), 15);
        QCOMPARE(window.Combo1[1]->itemText(14), u"15"_s);
        QCOMPARE(window.Combo1[0]->currentText(), u"10"_s);
        QCOMPARE(window.Combo1[1]->currentText(), u"5"_s);

        // The fields show the document's defaults, not the white of the reset.
        for (QLabel *swatch : window.Label2) {
            QCOMPARE(WidgetColors::backColor(swatch), QColor(255, 0, 0));
        }
        for (QLineEdit *field : window.Text1) {
            QVERIFY(field->text().isEmpty());
        }

        // The outer size less the fixed border and title bar.
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(window.width(), 742);
    }

    void missingPackageEndsStartUp()
    {
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).rmdir(u"package"_s));
        RecordingMessageSink messages;
        frmMain window(messages, folder.path(), usableArchiver);
        QVERIFY(!window.Form_Load());
        QCOMPARE(messages.messages.size(), 1);
        QCOMPARE(messages.last().text,
                 u"ファイルが見つかりません。起動処理を中止します。\r\nエラー:53"_s);
        QCOMPARE(messages.last().title, u"起動中止"_s);
        QCOMPARE(messages.last().icon, MessageIcon::Stop);
        QVERIFY(!messages.last().question);
        QVERIFY(!window.isVisible());
        QVERIFY(!window.hasZipWrapper());
        QVERIFY(!window.hasFileControl());
    }

    void onlyStartPictureNeeded()
    {
        ProgramFolder folder;
        folder.writePicture(u"edit_1g.jpg"_s, Qt::red);
        RecordingMessageSink messages;
        frmMain window(messages, folder.path(), usableArchiver);
        QVERIFY(window.Form_Load());
        QVERIFY(messages.messages.isEmpty());
        QVERIFY(sameColor(shownColor(window.imgMenu[0]), Qt::red));
    }

    void unreadableStartPictureStillStarts()
    {
        ProgramFolder folder;
        folder.writeModePictures();
        folder.writeBytes(u"edit_1g.jpg"_s, "not a picture at all");
        RecordingMessageSink messages;
        frmMain window(messages, folder.path(), missingArchiver);
        const qint64 layoutPicture = window.imgMenu[0]->pixmap().cacheKey();
        QVERIFY(window.Form_Load());
        QVERIFY(messages.messages.isEmpty());
        QCOMPARE(window.imgMenu[0]->pixmap().cacheKey(), layoutPicture);
        // The rest of the check ran: archiver asked, defaults in place.
        QVERIFY(!window.mnuFileWmz->isEnabled());
        QCOMPARE(window.Combo1[0]->currentText(), u"10"_s);
        QVERIFY(!window.Frame1[5]->isEnabled());
    }

    void missingArchiverDisablesOnlyWmz()
    {
        ProgramFolder folder;
        folder.writeModePictures();
        RecordingMessageSink messages;
        frmMain window(messages, folder.path(), missingArchiver);
        QVERIFY(window.Form_Load());
        QVERIFY(messages.messages.isEmpty());
        QVERIFY(!window.mnuFileWmz->isEnabled());
        for (QAction *action :
             {window.mnuFileNew, window.mnuFileOpen, window.mnuFileSave, window.mnuFileAnotherSave,
              window.mnuFileExit, window.mnuHelpOpen, window.mnuHelpVersion}) {
            QVERIFY(action->isEnabled());
        }
    }

    void ownedObjectsCreatedOnFirstUseAndReleasedAtExit()
    {
        ProgramFolder folder;
        folder.writeModePictures();
        RecordingMessageSink messages;
        frmMain window(messages, folder.path(), usableArchiver);
        QVERIFY(!window.hasFileControl());
        QVERIFY(window.Form_Load());
        clsFileControl &document = window.fileControl();
        QCOMPARE(&window.fileControl(), &document);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.Text1[0]->setText(u"unsaved title"_s);
        window.mnuFileExit->trigger();
        // Exiting asks nothing and lets everything go.
        QVERIFY(!window.isVisible());
        QVERIFY(messages.messages.isEmpty());
        QVERIFY(!window.hasFileControl());
        QVERIFY(!window.hasZipWrapper());
    }
};

QTEST_MAIN(tst_EditorStartup)
#include "tst_editor_startup.moc"
