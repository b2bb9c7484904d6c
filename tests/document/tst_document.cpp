#include "ElementMembers.h"
#include "RecordingMessageSink.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"

#include <QHash>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_document : public QObject {
    Q_OBJECT

private slots:
    void recordMembers();
    void slotsOutsideTableGiveNothing_data();
    void slotsOutsideTableGiveNothing();
    void slotsHoldSharedRecords();
};

// Every member keeps its own text (all are set before any is read, so two
// accessors wired to one field show), and initMember gives the defaults.
void tst_document::recordMembers()
{
    clsElement e;
    for (const auto &m : kElementMembers) {
        QVERIFY2((e.*m.get)().isEmpty(), m.name);
        (e.*m.set)(u"  "_s + QLatin1StringView(m.name) + u" 値 "_s);
    }
    for (const auto &m : kElementMembers) {
        QCOMPARE((e.*m.get)(), u"  "_s + QLatin1StringView(m.name) + u" 値 "_s);
    }

    const QHash<QByteArray, QString> defaults{
        {"Transcolor", u"#FF0000"_s}, {"Titlebar", u"False"_s},    {"Direction", u"horizontal"_s},
        {"Backcolor", u"#FF0000"_s},  {"Forecolor", u"#FF0000"_s}, {"Fontsize", u"10"_s},
        {"Listitemvis", u"True"_s},   {"columnvis", u"False"_s},   {"Dropdownvis", u"True"_s},
        {"Scrolling", u"True"_s},     {"Scrollamt", u"5"_s},
    };
    e.setExistFlag(1);
    e.initMember();
    QCOMPARE(e.getExistFlag(), qint16(0));
    for (const auto &m : kElementMembers) {
        QVERIFY2((e.*m.get)() == defaults.value(m.name), m.name);
    }
}

void tst_document::slotsOutsideTableGiveNothing_data()
{
    QTest::addColumn<qint16>("index");
    for (const qint16 i : {0, 20, -1, 32767}) {
        QTest::addRow("%d", i) << i;
    }
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

void tst_document::slotsHoldSharedRecords()
{
    RecordingMessageSink sink;
    clsFileControl doc(sink);
    QCOMPARE(doc.getFileName(), QString());

    // An empty slot gets one record, made on first use and not initialised.
    const auto first = doc.getElement(7);
    QVERIFY(first);
    QCOMPARE(doc.getElement(7), first);
    QCOMPARE(first->getTranscolor(), QString());

    // The table holds references, not copies: two slots can share one record.
    std::weak_ptr<clsElement> old = doc.getElement(Slot::Video);
    auto area = std::make_shared<clsElement>();
    doc.setElement(area, Slot::Video);
    doc.setElement(area, Slot::Effects);
    QVERIFY(old.expired());
    doc.getElement(Slot::Effects)->setTop(u"40"_s);
    QCOMPARE(doc.getElement(Slot::Video)->getTop(), u"40"_s);

    // Emptying a slot makes the next get start afresh.
    doc.setElement(nullptr, Slot::Video);
    const auto fresh = doc.getElement(Slot::Video);
    QVERIFY(fresh && fresh != area);
    QCOMPARE(fresh->getTop(), QString());
}

QTEST_GUILESS_MAIN(tst_document)
#include "tst_document.moc"
