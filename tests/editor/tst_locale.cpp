// The program's locale is Japanese whatever the environment says: started
// under LANG=C.UTF-8, its file dialogs show Japanese dates and types.
#include "editor/platform/QtTranslations.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>
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
