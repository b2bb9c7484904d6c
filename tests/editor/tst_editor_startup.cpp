// Start-up and shutdown of the main window with a temporary program folder.
#include "EditorFixture.h"
#include "editor/panels/ControlTag.h"
#include "editor/platform/QtTranslations.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

class tst_EditorStartup : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().size() <= 1); }

    void stateAfterStartUp()
    {
        StartedEditor editor(usableArchiver);
        frmMain &window = editor.window;
        QVERIFY(window.Form_Load());
        QVERIFY(editor.messages.messages.isEmpty());

        QCOMPARE(window.windowTitle(), u"Velmora for WMP"_s);
        QVERIFY(hooks(window).currentFileName().isEmpty());
        QCOMPARE(hooks(window).editMenuShown(), qint16(1));
        for (std::size_t i = 0; i <= 9; ++i) {
            if (i <= 6) {
                QCOMPARE(hooks(window).picture2(i)->isHidden(), i != 0);
            }
            QCOMPARE(hooks(window).imgMenu(i)->isHidden(), i > 6);
            QCOMPARE(tagOf(hooks(window).imgMenu(i)), i == 0 ? u"PrevDown"_s : QString());
        }
        QVERIFY(hooks(window).cmdMenu(0)->isEnabled());
        QVERIFY(!hooks(window).cmdMenu(1)->isEnabled());
        QVERIFY(sameColor(shownColor(hooks(window).imgMenu(0)), ProgramFolder::modeColor(0, true)));
        QVERIFY(hooks(window).mnuFileWmz()->isEnabled());

        // Every optional image and element starts switched off and greyed.
        for (QCheckBox *box : hooks(window).Check1()) {
            QVERIFY(!box->isChecked());
            QLineEdit *field = hooks(window).Text1(static_cast<std::size_t>(tagIndex(box)));
            QVERIFY(!field->isEnabled());
            QVERIFY(looksGrey(field));
            QVERIFY(
                !hooks(window).Command2(static_cast<std::size_t>(tagIndex(field)))->isEnabled());
        }
        for (QCheckBox *box : hooks(window).Check2()) {
            QVERIFY(!box->isChecked());
            QVERIFY(box->isEnabled());
        }
        for (std::size_t frame = 0; frame <= 17; ++frame) {
            QVERIFY2(hooks(window).Frame1(frame)->isEnabled() == (frame < 5),
                     qPrintable(QString::number(frame)));
        }
        for (int option : {0, 2, 5, 7, 8, 10, 12}) {
            QVERIFY(hooks(window).Option1(static_cast<std::size_t>(option))->isChecked());
            QVERIFY(!hooks(window).Option1(static_cast<std::size_t>(option ^ 1))->isChecked());
        }
        QCOMPARE(hooks(window).Combo1(0)->currentText(), u"10"_s);
        QCOMPARE(hooks(window).Combo1(1)->currentText(), u"5"_s);
        // The fields show the document's defaults, not the white of the reset.
        for (QLabel *swatch : hooks(window).Label2()) {
            QCOMPARE(WidgetColors::backColor(swatch), QColor(255, 0, 0));
        }
        for (QLineEdit *field : hooks(window).Text1()) {
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
        QVERIFY(!hooks(window).hasZipWrapper());
        QVERIFY(!hooks(window).hasFileControl());
    }

    // Start-up reads only the selected picture of mode 0. One that is there
    // but no picture leaves the layout's in place, and start-up goes on.
    void startPictureAlone_data()
    {
        QTest::addColumn<bool>("readable");
        QTest::newRow("a picture") << true;
        QTest::newRow("not a picture") << false;
    }
    void startPictureAlone()
    {
        QFETCH(bool, readable);
        ProgramFolder folder;
        if (readable) {
            folder.writePicture(u"edit_1g.jpg"_s, Qt::red);
        } else {
            folder.writeBytes(u"edit_1g.jpg"_s, "not a picture at all");
        }
        RecordingMessageSink messages;
        frmMain window(messages, folder.path(), missingArchiver);
        const qint64 layoutPicture = hooks(window).imgMenu(0)->pixmap().cacheKey();
        QVERIFY(window.Form_Load());
        QVERIFY(messages.messages.isEmpty());
        if (readable) {
            QVERIFY(sameColor(shownColor(hooks(window).imgMenu(0)), Qt::red));
        } else {
            QVERIFY(!hooks(window).imgMenu(0)->pixmap().isNull());
            QCOMPARE(hooks(window).imgMenu(0)->pixmap().cacheKey(), layoutPicture);
        }
        // The rest of the start-up ran: the archiver was asked (only the WMZ
        // entry goes without one) and the defaults are in place.
        QVERIFY(!hooks(window).mnuFileWmz()->isEnabled());
        for (QAction *action :
             {hooks(window).mnuFileNew(), hooks(window).mnuFileOpen(), hooks(window).mnuFileSave(),
              hooks(window).mnuFileAnotherSave(), hooks(window).mnuFileExit(),
              hooks(window).mnuHelpOpen(), hooks(window).mnuHelpVersion()}) {
            QVERIFY(action->isEnabled());
        }
        QCOMPARE(hooks(window).Combo1(0)->currentText(), u"10"_s);
        QVERIFY(!hooks(window).Frame1(5)->isEnabled());
    }

    void ownedObjectsCreatedOnFirstUseAndReleasedAtExit()
    {
        StartedEditor editor(usableArchiver);
        frmMain &window = editor.window;
        QVERIFY(!hooks(window).hasFileControl());
        QVERIFY(window.Form_Load());
        QVERIFY(hooks(window).hasFileControl());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        hooks(window).mnuFileExit()->trigger();
        // Nothing changed: exiting asks nothing and lets everything go.
        QVERIFY(!window.isVisible());
        QVERIFY(editor.messages.messages.isEmpty());
        QVERIFY(!hooks(window).hasFileControl());
        QVERIFY(!hooks(window).hasZipWrapper());
    }

    // Qt's own boxes and dialogs speak Japanese whatever the user's locale.
    void qtDialogsSpeakJapanese()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(QtTranslations::installJapanese(*qApp));
        QMessageBox box(QMessageBox::Question, {}, {}, QMessageBox::Yes | QMessageBox::No);
        QVERIFY2(box.button(QMessageBox::Yes)->text().contains(u"はい"_s),
                 qPrintable(box.button(QMessageBox::Yes)->text()));
        QVERIFY(box.button(QMessageBox::No)->text().contains(u"いいえ"_s));
    }
};

QTEST_MAIN(tst_EditorStartup)
#include "tst_editor_startup.moc"
