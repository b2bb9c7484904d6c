// The program's file dialogs: its locale is Japanese whatever the
// environment says (started under LANG=C.UTF-8, they show Japanese dates and
// types), and a save gives a typed name the filter's extension.
#include "editor/platform/QtDialogProvider.h"
#include "editor/platform/QtTranslations.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

using namespace Qt::StringLiterals;

class tst_Locale : public QObject {
    Q_OBJECT

private slots:
    void localeIsJapanese()
    {
        QCOMPARE(QLocale().language(), QLocale::Japanese);
        QCOMPARE(QLocale::system().language(), QLocale::Japanese);
        // Programs started from the editor get the user's own environment.
        QVERIFY(!qEnvironmentVariableIsSet("LC_ALL"));
    }

    void fileDialogShowsJapanese()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(u"skins"_s));
        QFileDialog dialog(nullptr, u"開く"_s, dir.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setViewMode(QFileDialog::Detail);
        auto *model = dialog.findChild<QFileSystemModel *>();
        QVERIFY(model);
        const QModelIndex folder = model->index(dir.filePath(u"skins"_s));
        QTRY_VERIFY(folder.isValid() && !folder.siblingAtColumn(3).data().toString().isEmpty());
        QCOMPARE(folder.siblingAtColumn(2).data().toString(), u"フォルダ"_s);
        QCOMPARE(
            folder.siblingAtColumn(3).data().toString(),
            QLocale(QLocale::Japanese).toString(model->lastModified(folder), QLocale::ShortFormat));
    }

    // A skin saved under a name typed without an extension is a .wms file;
    // a name with one of its own keeps it.
    void saveGivesTheFiltersExtension_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no extension") << u"skin1"_s << u"skin1.wms"_s;
        QTest::newRow("its own") << u"skin1.txt"_s << u"skin1.txt"_s;
    }
    void saveGivesTheFiltersExtension()
    {
        QFETCH(QString, typed);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QTimer::singleShot(0, this, [&typed] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto *name = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
            QVERIFY(name);
            name->setText(typed);
            QTest::keyClick(name, Qt::Key_Return);
        });
        const std::optional<QString> chosen = QtDialogProvider().saveFile(
            {u"保存"_s, u"Windows Media Player スキンファイル (*.wms)"_s, dir.path(), {}});
        QVERIFY(chosen);
        QTEST(QFileInfo(*chosen).fileName(), "saved");
    }
};

int main(int argc, char **argv)
{
    // A user whose environment names no language.
    for (const char *name : {"LC_ALL", "LC_TIME", "LC_NUMERIC", "LC_MESSAGES", "LANGUAGE"}) {
        qunsetenv(name);
    }
    qputenv("LANG", "C.UTF-8");
    QtTranslations::useJapaneseLocale();
    QApplication app(argc, argv);
    if (!QtTranslations::installJapanese(app)) {
        std::fprintf(stderr, "Qt's Japanese texts are not installed (qt6-translations-l10n)\n");
        return 1;
    }
    tst_Locale test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_locale.moc"
