#include "util/EntryName.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

// Which file names may stand as entries of a skin archive.
class tst_entryname : public QObject {
    Q_OBJECT

private slots:
    void safety_data();
    void safety();
    void reasonsTellFaultsApart();
};

void tst_entryname::safety_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");

    QTest::newRow("plain") << u"play.bmp"_s << true;
    QTest::newRow("japanese") << u"再生ボタン.jpg"_s << true;
    QTest::newRow("blank and comma inside") << u"my skin, v2.wms"_s << true;
    QTest::newRow("leading dot") << u".hidden.bmp"_s << true;
    QTest::newRow("dots inside") << u"a..b.png"_s << true;
    QTest::newRow("leading blank") << u" play.bmp"_s << true;
    QTest::newRow("device as prefix") << u"console.bmp"_s << true;
    QTest::newRow("device inside") << u"my_CON.bmp"_s << true;
    QTest::newRow("COM0") << u"COM0.bmp"_s << true;
    QTest::newRow("COM10") << u"COM10"_s << true;
    QTest::newRow("LPT") << u"LPT.bmp"_s << true;

    QTest::newRow("empty") << QString() << false;
    QTest::newRow("climbing backslashes") << u"..\\..\\evil.bmp"_s << false;
    QTest::newRow("backslash inside") << u"img\\play.bmp"_s << false;
    QTest::newRow("slash inside") << u"img/play.bmp"_s << false;
    QTest::newRow("climbing slashes") << u"../evil.bmp"_s << false;
    QTest::newRow("absolute slash") << u"/etc/passwd"_s << false;
    QTest::newRow("absolute backslash") << u"\\evil.bmp"_s << false;
    QTest::newRow("drive and root") << u"C:\\evil.bmp"_s << false;
    QTest::newRow("drive relative") << u"C:evil2.bmp"_s << false;
    QTest::newRow("colon inside") << u"play.bmp:stream"_s << false;
    QTest::newRow("NUL character") << u"a\u0000b.bmp"_s << false;
    QTest::newRow("tab") << u"a\tb.bmp"_s << false;
    QTest::newRow("line break") << u"a\nb.bmp"_s << false;
    QTest::newRow("DEL") << u"a\u007Fb.bmp"_s << false;
    QTest::newRow("dot") << u"."_s << false;
    QTest::newRow("two dots") << u".."_s << false;
    QTest::newRow("three dots") << u"..."_s << false;
    QTest::newRow("trailing dot") << u"play.bmp."_s << false;
    QTest::newRow("trailing blank") << u"play.bmp "_s << false;
    QTest::newRow("blank only") << u" "_s << false;
    QTest::newRow("CON") << u"CON"_s << false;
    QTest::newRow("con lower case") << u"con"_s << false;
    QTest::newRow("NUL with extension") << u"NUL.bmp"_s << false;
    QTest::newRow("aux two extensions") << u"aux.tar.gz"_s << false;
    QTest::newRow("PRN blank before dot") << u"PRN .bmp"_s << false;
    QTest::newRow("COM1") << u"COM1"_s << false;
    QTest::newRow("com9 extension") << u"com9.jpg"_s << false;
    QTest::newRow("LPT5 mixed case") << u"lPt5.png"_s << false;
    QTest::newRow("COM superscript") << u"COM\u00B9.bmp"_s << false;
}

void tst_entryname::safety()
{
    QFETCH(QString, name);
    QFETCH(bool, safe);

    const std::optional<QString> reason = unsafeEntryNameReason(name);
    QCOMPARE(!reason.has_value(), safe);
    if (reason) {
        QVERIFY(!reason->isEmpty());
    }
}

// The reason says what is wrong, so a person can mend the name: faults of
// different kinds never share one text.
void tst_entryname::reasonsTellFaultsApart()
{
    const QStringList oneOfEachKind = {
        QString(),     u"a\u0001.bmp"_s, u"/abs.bmp"_s, u"a\\b.bmp"_s, u"a/b.bmp"_s, u"a:b.bmp"_s,
        u"ab:c.bmp"_s, u".."_s,          u"a.bmp."_s,   u"a.bmp "_s,   u"CON.bmp"_s,
    };
    QSet<QString> reasons;
    for (const QString &name : oneOfEachKind) {
        const std::optional<QString> reason = unsafeEntryNameReason(name);
        QVERIFY2(reason, qPrintable(name));
        reasons.insert(*reason);
    }
    QCOMPARE(reasons.size(), oneOfEachKind.size());
}

QTEST_GUILESS_MAIN(tst_entryname)
#include "tst_entryname.moc"
