#include "ElementMembers.h"
#include "RecordingMessageSink.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_document : public QObject {
    Q_OBJECT

private slots:
    void newRecordIsEmpty();
    void initMemberSetsDefaults_data();
    void initMemberSetsDefaults();
    void setterStoresTextUnchanged();

    void slotsOutsideTableGiveNothing_data();
    void slotsOutsideTableGiveNothing();
    void emptySlotIsCreatedOnceAndShared();
    void sharedRecordIsSeenFromBothSlots();
    void setElementReplacesAndEmpties();
    void fileNameStartsEmptyAndIsStored();
};

void tst_document::newRecordIsEmpty()
{
    const clsElement e;
    for (const auto &a : kElementMembers) {
        QVERIFY2((e.*a.get)().isEmpty(), a.name);
    }
    QCOMPARE(e.getExistFlag(), qint16(0));
}

void tst_document::initMemberSetsDefaults_data()
{
    QTest::addColumn<QByteArray>("member");
    QTest::addColumn<QString>("expected");
    const struct {
        const char *member;
        QString value;
    } rows[] = {
        {"Title", u""_s},
        {"Author", u""_s},
        {"Copyright", u""_s},
        {"Top", u""_s},
        {"Left", u""_s},
        {"Height", u""_s},
        {"Width", u""_s},
        {"Upimage", u""_s},
        {"Hoverimage", u""_s},
        {"Downimage", u""_s},
        {"Disableimage", u""_s},
        {"Bordersize", u""_s},
        {"Transcolor", u"#FF0000"_s},
        {"Titlebar", u"False"_s},
        {"Direction", u"horizontal"_s},
        {"Backcolor", u"#FF0000"_s},
        {"Forecolor", u"#FF0000"_s},
        {"Fontsize", u"10"_s},
        {"Listitemvis", u"True"_s},
        {"columnvis", u"False"_s},
        {"Dropdownvis", u"True"_s},
        {"Scrolling", u"True"_s},
        {"Scrollamt", u"5"_s},
    };
    for (const auto &r : rows) {
        QTest::newRow(r.member) << QByteArray(r.member) << r.value;
    }
}

void tst_document::initMemberSetsDefaults()
{
    QFETCH(QByteArray, member);
    QFETCH(QString, expected);
    const ElementMember *a = elementMember(member);
    QVERIFY(a);
    clsElement e;
    (e.*a->set)(u"something else"_s);
    e.setExistFlag(1);
    e.initMember();
    QCOMPARE((e.*a->get)(), expected);
    QCOMPARE(e.getExistFlag(), qint16(0));
}

void tst_document::setterStoresTextUnchanged()
{
    clsElement e;
    for (const auto &a : kElementMembers) {
        const QString value = u"  "_s + QLatin1StringView(a.name) + u" 値 "_s;
        (e.*a.set)(value);
        QCOMPARE((e.*a.get)(), value);
    }
}

void tst_document::slotsOutsideTableGiveNothing_data()
{
    QTest::addColumn<qint16>("index");
    QTest::newRow("0") << qint16(0);
    QTest::newRow("20") << qint16(20);
    QTest::newRow("-1") << qint16(-1);
    QTest::newRow("32767") << qint16(32767);
}

void tst_document::slotsOutsideTableGiveNothing()
{
    QFETCH(qint16, index);
    RecordingMessageSink sink;
    clsFileControl doc(sink);
    QVERIFY(!doc.getElement(index));

    // Storing outside the table changes no slot.
    std::shared_ptr<clsElement> before[Slot::Count];
    for (qint16 i = Slot::First; i <= Slot::Last; ++i) {
        before[i - 1] = doc.getElement(i);
    }
    doc.setElement(std::make_shared<clsElement>(), index);
    for (qint16 i = Slot::First; i <= Slot::Last; ++i) {
        QCOMPARE(doc.getElement(i), before[i - 1]);
    }
    QVERIFY(sink.messages.isEmpty());
}

void tst_document::emptySlotIsCreatedOnceAndShared()
{
    RecordingMessageSink sink;
    clsFileControl doc(sink);
    const auto first = doc.getElement(7);
    QVERIFY(first);
    QCOMPARE(doc.getElement(7), first);
    QCOMPARE(first->getTranscolor(), QString()); // not initialised
    QCOMPARE(first->getExistFlag(), qint16(0));
    first->setTop(u"12"_s);
    QCOMPARE(doc.getElement(7)->getTop(), u"12"_s);
}

void tst_document::sharedRecordIsSeenFromBothSlots()
{
    RecordingMessageSink sink;
    clsFileControl doc(sink);
    auto r = std::make_shared<clsElement>();
    doc.setElement(r, Slot::Video);
    doc.setElement(r, Slot::Effects);
    doc.getElement(Slot::Effects)->setTop(u"40"_s);
    QCOMPARE(doc.getElement(Slot::Video)->getTop(), u"40"_s);
    QCOMPARE(r.use_count(), 3);
}

void tst_document::setElementReplacesAndEmpties()
{
    RecordingMessageSink sink;
    clsFileControl doc(sink);
    std::weak_ptr<clsElement> old = doc.getElement(3);
    auto replacement = std::make_shared<clsElement>();
    replacement->setLeft(u"9"_s);
    doc.setElement(replacement, 3);
    QVERIFY(old.expired()); // the table held the only reference
    QCOMPARE(doc.getElement(3)->getLeft(), u"9"_s);

    doc.setElement(nullptr, 3);
    const auto fresh = doc.getElement(3);
    QVERIFY(fresh);
    QVERIFY(fresh != replacement);
    QCOMPARE(fresh->getLeft(), QString());
}

void tst_document::fileNameStartsEmptyAndIsStored()
{
    RecordingMessageSink sink;
    clsFileControl doc(sink);
    QCOMPARE(doc.getFileName(), QString());
    doc.setFileName(u"/skins/青.wms/青.wms"_s);
    QCOMPARE(doc.getFileName(), u"/skins/青.wms/青.wms"_s);
}

QTEST_GUILESS_MAIN(tst_document)
#include "tst_document.moc"
