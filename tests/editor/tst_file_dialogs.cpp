// The platform's file dialogs as the editor asks for them.
#include "editor/platform/QtDialogProvider.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class tst_FileDialogs : public QObject {
    Q_OBJECT

private slots:
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

QTEST_MAIN(tst_FileDialogs)
#include "tst_file_dialogs.moc"
