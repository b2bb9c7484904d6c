// The real editor under Xvfb with the X11 platform, driven by xdotool.
#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Differing pixels of two screenshots inside one rectangle.
int changedPixels(const QImage &before, const QImage &after, const QRect &area)
{
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            changed += before.pixel(x, y) != after.pixel(x, y) ? 1 : 0;
        }
    }
    return changed;
}

} // namespace

class tst_E2eEditor : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const QString &tool : {u"Xvfb"_s, u"xdotool"_s, u"import"_s}) {
            if (QStandardPaths::findExecutable(tool).isEmpty()) {
                QSKIP(qPrintable(tool + u" is not installed; run scripts/setup.sh"_s));
            }
        }
        bin = programFolder();
        QVERIFY2(QFile::exists(bin + u"/velmora"_s), "the program folder must hold velmora");
        artifacts = QDir(bin + u"/../artifacts"_s).absolutePath();
        QVERIFY(QDir().mkpath(artifacts));

        // Xvfb picks a free display and writes its number to the given descriptor.
        xvfb.setProgram(u"Xvfb"_s);
        xvfb.setArguments({u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s,
                           u"-nolisten"_s, u"tcp"_s});
        xvfb.start();
        QVERIFY(xvfb.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(xvfb.canReadLine(), 20000);
        display = u":"_s + QString::fromLatin1(xvfb.readLine()).trimmed();
        environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DISPLAY"_s, display);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        // In a sanitizer build a leak report would change the editor's exit
        // status; leaks of the platform's own libraries are not the editor's.
        const QString lsan = environment.value(u"LSAN_OPTIONS"_s);
        environment.insert(u"LSAN_OPTIONS"_s, (lsan.isEmpty() ? QString() : lsan + u':') +
                                                  u"suppressions="_s +
                                                  QStringLiteral(VELMORA_LSAN_SUPPRESSIONS));
    }

    void cleanupTestCase()
    {
        if (xvfb.state() == QProcess::Running) {
            xvfb.terminate();
            xvfb.waitForFinished();
        }
    }

    void modeButtonSwitchesPanelAndWindowCloses()
    {
        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.start(bin + u"/velmora"_s, {});
        QVERIFY(editor.waitForStarted());
        const QString window = findWindow(u"^Velmora for WMP$"_s);
        QVERIFY(!window.isEmpty());
        QTest::qWait(500); // let the first paint land

        const QImage before = screenshot(u"e2e_editor_start.png"_s);
        // Mode button 3 (sliders) is the fourth picture of the side menu.
        QVERIFY(run(u"xdotool"_s, {u"mousemove"_s, u"--window"_s, window, u"62"_s, u"340"_s,
                                   u"click"_s, u"1"_s}));
        QTest::qWait(500);
        const QImage after = screenshot(u"e2e_editor_mode3.png"_s);
        QCOMPARE(after.size(), before.size());
        // The clicked button shows its selected picture, button 0 its plain one,
        // and the panel on the right is another.
        QVERIFY(changedPixels(before, after, QRect(10, 310, 100, 60)) > 1000);
        QVERIFY(changedPixels(before, after, QRect(10, 80, 100, 60)) > 1000);
        QVERIFY(changedPixels(before, after, QRect(150, 70, 500, 200)) > 1000);

        // Close through the menu: ファイル(&F), Velmoraの終了(&X).
        QVERIFY(run(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, window}));
        QVERIFY(run(u"xdotool"_s, {u"key"_s, u"--clearmodifiers"_s, u"alt+f"_s}));
        QTest::qWait(300);
        QVERIFY(run(u"xdotool"_s, {u"key"_s, u"x"_s}));
        QVERIFY(editor.waitForFinished(20000));
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QCOMPARE(editor.exitCode(), 0);
    }

    // A skin made of the sample images, packed from the menu through the real
    // file dialog; then the version window opens and closes.
    void packsSkinAndShowsVersion()
    {
        QTemporaryDir skins;
        QVERIFY(skins.isValid());
        const QDir skin(skins.filePath(u"blue"_s));
        QVERIFY(skin.mkpath(u"."_s));
        for (const QString &name : {u"background.bmp"_s, u"play.bmp"_s}) {
            QVERIFY(QFile::copy(bin + u"/sample/"_s + name, skin.filePath(name)));
        }
        QFile wms(skin.filePath(u"blue.wms"_s));
        QVERIFY(wms.open(QIODevice::WriteOnly));
        wms.write("<theme id=\"velmora\" title=\"blue\">\r\n"
                  "<view backgroundimage=\"background.bmp\">\r\n"
                  "<playbutton top=\"10\" left=\"10\" image=\"play.bmp\"/>\r\n"
                  "</view>\r\n</theme>\r\n");
        wms.close();

        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.start(bin + u"/velmora"_s, {});
        QVERIFY(editor.waitForStarted());
        const QString window = findWindow(u"^Velmora for WMP$"_s);
        QVERIFY(!window.isEmpty());
        QTest::qWait(500);

        // ファイル(&F), WMZファイル作成(&W); the dialog starts with its name field.
        QVERIFY(run(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, window}));
        QVERIFY(run(u"xdotool"_s, {u"key"_s, u"--clearmodifiers"_s, u"alt+f"_s}));
        QTest::qWait(300);
        QVERIFY(run(u"xdotool"_s, {u"key"_s, u"w"_s}));
        const QString dialog = findWindow(u"^ファイルを開く$"_s);
        QVERIFY(!dialog.isEmpty());
        QTest::qWait(500);
        QVERIFY(run(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, dialog}));
        QVERIFY(
            run(u"xdotool"_s, {u"type"_s, u"--delay"_s, u"20"_s, skin.filePath(u"blue.wms"_s)}));
        screenshot(u"e2e_wmz_dialog.png"_s);
        QVERIFY(run(u"xdotool"_s, {u"key"_s, u"Return"_s}));
        const QString done = findWindow(u"^WMZ作成$"_s);
        QVERIFY(!done.isEmpty());
        QTest::qWait(300);
        screenshot(u"e2e_wmz_done.png"_s);
        QVERIFY(run(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, done}));
        QVERIFY(run(u"xdotool"_s, {u"key"_s, u"Return"_s}));

        QString entries;
        QVERIFY(run(u"unzip"_s, {u"-t"_s, skin.filePath(u"blue.wmz"_s)}, &entries));
        for (const QString &name : {u"blue.wms"_s, u"background.bmp"_s, u"play.bmp"_s}) {
            QVERIFY2(entries.contains(u"testing: "_s + name), qPrintable(entries));
        }

        // ヘルプ(&H), バージョン情報(&A); OK closes it.
        QTest::qWait(300);
        QVERIFY(run(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, window}));
        QVERIFY(run(u"xdotool"_s, {u"key"_s, u"--clearmodifiers"_s, u"alt+h"_s}));
        QTest::qWait(300);
        QVERIFY(run(u"xdotool"_s, {u"key"_s, u"a"_s}));
        const QString about = findWindow(u"^バージョン情報$"_s);
        QVERIFY(!about.isEmpty());
        QTest::qWait(300);
        screenshot(u"e2e_version.png"_s);
        QVERIFY(run(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, about}));
        QVERIFY(run(u"xdotool"_s, {u"key"_s, u"Return"_s}));
        QTest::qWait(500);
        QVERIFY(findWindow(u"^バージョン情報$"_s, false).isEmpty());

        QVERIFY(run(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, window}));
        QVERIFY(run(u"xdotool"_s, {u"key"_s, u"--clearmodifiers"_s, u"alt+f"_s}));
        QTest::qWait(300);
        QVERIFY(run(u"xdotool"_s, {u"key"_s, u"x"_s}));
        QVERIFY(editor.waitForFinished(20000));
        QCOMPARE(editor.exitCode(), 0);
    }

    void missingPackageEndsWithoutWindow()
    {
        // A copy of the program without package/ beside it.
        QTemporaryDir folder;
        QVERIFY(QFile::copy(bin + u"/velmora"_s, folder.filePath(u"velmora"_s)));
        QVERIFY(QFile::setPermissions(folder.filePath(u"velmora"_s),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.start(folder.filePath(u"velmora"_s), {});
        QVERIFY(editor.waitForStarted());
        const QString box = findWindow(u"^起動中止$"_s);
        QVERIFY(!box.isEmpty());
        QTest::qWait(300);
        screenshot(u"e2e_startup_aborted.png"_s);
        QVERIFY(findWindow(u"^Velmora for WMP$"_s, false).isEmpty());

        QVERIFY(run(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, box}));
        QVERIFY(run(u"xdotool"_s, {u"key"_s, u"Return"_s}));
        QVERIFY(editor.waitForFinished(20000));
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QVERIFY(editor.exitCode() != 0);
        const QString errors = QString::fromUtf8(editor.readAllStandardError());
        QVERIFY2(errors.contains(u"起動中止"_s) &&
                     errors.contains(u"ファイルが見つかりません。起動処理を中止します。"_s) &&
                     errors.contains(u"エラー:53"_s),
                 qPrintable(errors));
    }

private:
    bool run(const QString &program, const QStringList &arguments, QString *output = nullptr)
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            return false;
        }
        if (output) {
            *output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
        }
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    // The first mapped window with this name; with sync, waits for one
    // (bounded by run()'s timeout).
    QString findWindow(const QString &name, bool sync = true)
    {
        QString ids;
        const QStringList wait = sync ? QStringList{u"--sync"_s} : QStringList{};
        run(u"xdotool"_s,
            QStringList{u"search"_s} + wait + QStringList{u"--onlyvisible"_s, u"--name"_s, name},
            &ids);
        return ids.section(u'\n', 0, 0);
    }

    QImage screenshot(const QString &fileName)
    {
        const QString path = artifacts + u'/' + fileName;
        if (!run(u"import"_s, {u"-window"_s, u"root"_s, path})) {
            return {};
        }
        return QImage(path);
    }

    QProcess xvfb;
    QString display;
    QString bin;
    QString artifacts;
    QProcessEnvironment environment;
};

QTEST_GUILESS_MAIN(tst_E2eEditor)
#include "tst_e2e_editor.moc"
