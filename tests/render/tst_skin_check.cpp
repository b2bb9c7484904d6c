// The skin check on the values the editor's lists and number fields hold: a
// track name's font size and scrolling speed are reported unless they name
// an entry of the list, a place or size unless the player can hold it; an
// image name unless it can be an entry of a WMZ.
#include "../util/ImageFiles.h"
#include "RecordingMessageSink.h"
#include "document/clsFileControl.h"
#include "render/SkinCheck.h"
#include "util/EntryName.h"
#include "wms/WmsFields.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_SkinCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(ImageFiles::writeFile(m_dir.filePath(u"back.bmp"_s),
                                      ImageFiles::qimageFile(200, 100, "BMP")));
    }
    void listValues_data();
    void listValues();
    void unsafeImageNames_data();
    void unsafeImageNames();

private:
    // The findings of a skin whose track name holds attribute="value";
    // nothing when the skin cannot be written or read.
    std::optional<QList<SkinFinding>> check(const QString &attribute, const QString &value);
    // The same for a skin of one element line.
    std::optional<QList<SkinFinding>> checkElement(const QString &line);

    QTemporaryDir m_dir;
};

std::optional<QList<SkinFinding>> tst_SkinCheck::check(const QString &attribute,
                                                       const QString &value)
{
    QString track =
        uR"(<tracknametext top="10" left="10" width="100" fontsize="10" foregroundcolor="#000000" )"
        uR"(backgroundcolor="none" scrolling="True" scrollingamount="5"/>)"_s;
    const QString written = u" %1=\""_s.arg(attribute);
    const qsizetype at = track.indexOf(written) + written.size();
    track.replace(at, track.indexOf(u'"', at) - at, value);
    return checkElement(track);
}

std::optional<QList<SkinFinding>> tst_SkinCheck::checkElement(const QString &line)
{
    const QString text =
        QStringList{
            uR"(<theme id="velmora" title="t">)"_s,
            uR"(<view titlebar="False" backgroundimage="back.bmp" transparencycolor="#FF0000">)"_s,
            line, u"</view>"_s, u"</theme>"_s}
            .join(u"\r\n"_s);
    const QString path = m_dir.filePath(u"skin.wms"_s);
    RecordingMessageSink messages;
    clsFileControl document(messages);
    if (!ImageFiles::writeFile(path, text.toUtf8()) || !document.readFile(path)) {
        return std::nullopt;
    }
    return checkSkin(document);
}

void tst_SkinCheck::listValues_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("finding"); // as the check describes it; empty: none
    const std::pair<QString, WmsFields::ListEntries> lists[] = {
        {u"fontsize"_s, WmsFields::kFontSizes},
        {u"scrollingamount"_s, WmsFields::kScrollSpeeds},
    };
    for (const auto &[attribute, entries] : lists) {
        const QString outside = u"tracknametext: %1「%2」は一覧にない値です（%3 から %4 まで）"_s;
        const auto row = [&](const char *name, const QString &value, const QString &finding) {
            QTest::addRow("%s %s", qPrintable(attribute), name) << attribute << value << finding;
        };
        const QString first = QString::number(entries.first);
        const QString last = QString::number(entries.last);
        const QString below = QString::number(entries.first - 1);
        const QString above = QString::number(entries.last + 1);
        row("first entry", first, {});
        row("last entry", last, {});
        // The list reads a value as a whole number, as the editor's number fields do.
        row("rounded to an entry", first + u".4"_s, {});
        row("below the list", below, outside.arg(attribute, below, first, last));
        row("above the list", above, outside.arg(attribute, above, first, last));
        row("no number", u"big"_s,
            u"tracknametext: %1「big」は整数ではありません"_s.arg(attribute));
        row("empty", QString(), u"tracknametext: %1が入力されていません"_s.arg(attribute));
    }
    const QString range = u"tracknametext: %1「%2」は範囲外です（0 から 32767 まで）"_s;
    QTest::newRow("left past the largest place")
        << u"left"_s << u"32768"_s << range.arg(u"left"_s, u"32768"_s);
    QTest::newRow("top below any place")
        << u"top"_s << u"-40000"_s << range.arg(u"top"_s, u"-40000"_s);
    QTest::newRow("left of letters")
        << u"left"_s << u"70000px"_s << u"tracknametext: left「70000px」は整数ではありません"_s;
}

void tst_SkinCheck::listValues()
{
    QFETCH(QString, attribute);
    QFETCH(QString, value);
    QFETCH(QString, finding);
    const std::optional<QList<SkinFinding>> findings = check(attribute, value);
    QVERIFY(findings);
    QStringList described;
    for (const SkinFinding &f : *findings) {
        QCOMPARE(f.kind, SkinFinding::Kind::BadNumber);
        described.append(f.describe());
    }
    QCOMPARE(described, finding.isEmpty() ? QStringList() : QStringList{finding});
}

// A name the player's own system reads as a path or a device (the rule's
// cases are tst_entryname's), a real file of the skin's folder here.
void tst_SkinCheck::unsafeImageNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("a path up and out") << uR"(..\..\evil.bmp)"_s;
    QTest::newRow("a safe name") << u"play.bmp"_s;
}

void tst_SkinCheck::unsafeImageNames()
{
    QFETCH(QString, name);
    QVERIFY(ImageFiles::writeFile(m_dir.filePath(name), ImageFiles::qimageFile(8, 8, "BMP")));
    const std::optional<QList<SkinFinding>> findings = checkElement(
        uR"(<playbutton top="1" left="1" transparencycolor="#FF0000" image="%1"/>)"_s.arg(name));
    QVERIFY(findings);
    const std::optional<QString> why = unsafeEntryNameReason(name);
    // A name starting with a dot is hidden, which is a finding of its own.
    QStringList unsafe;
    for (const SkinFinding &finding : *findings) {
        if (finding.kind == SkinFinding::Kind::UnsafeName) {
            unsafe.append(finding.describe());
        }
    }
    QCOMPARE(
        unsafe,
        why ? QStringList{u"playbutton image: 画像ファイル名「%1」は WMZ に入れられません（%2）"_s
                              .arg(name, *why)}
            : QStringList());
}

QTEST_GUILESS_MAIN(tst_SkinCheck)
#include "tst_skin_check.moc"
