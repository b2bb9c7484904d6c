// The check of the panels before a save: order, messages, and the failing
// field brought forward.
#include "EditorFixture.h"
#include "document/SectionTable.h"
#include "editor/panels/ControlTag.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString kMissing = u"ファイルが存在しません。正しいファイル名を指定してください。"_s;
const QString kNoPosition = u"位置を入力してください。"_s;

// The checks before a save, row by row: prefix, panel, the Check2 box that
// switches the row (-1: none) and its fields in order. "i5/0": image field 5
// when Check1(0) is ticked; "n7": number field 7; "s20/55/3/78/77": a
// slider's size from its background box and field, its "垂直" option and
// its height and width fields.
struct OrderRow {
    QStringView prefix;
    int panel;
    int check2;
    QStringView fields;
};
const OrderRow kOrder[] = {
    {u"背景画像の", 0, -1, u"i3"},
    {u"プレイボタン画像の", 1, -1, u"i4"},
    {u"プレイボタン画像の", 1, -1, u"i5/0"},
    {u"プレイボタン画像の", 1, -1, u"i6/1"},
    {u"プレイボタン画像の", 1, -1, u"n7"},
    {u"プレイボタン画像の", 1, -1, u"n8"},
    {u"ストップボタン画像の", 1, -1, u"i9"},
    {u"ストップボタン画像の", 1, -1, u"i10/2"},
    {u"ストップボタン画像の", 1, -1, u"i11/3"},
    {u"ストップボタン画像の", 1, -1, u"n12 n13"},
    {u"閉じるボタン画像の", 1, -1, u"i14"},
    {u"閉じるボタン画像の", 1, -1, u"i15/4"},
    {u"閉じるボタン画像の", 1, -1, u"i16/5"},
    {u"閉じるボタン画像の", 1, -1, u"n17 n18"},
    {u"FFWDボタン画像の", 1, 0, u"i19 i20/6 i21/7 n22 n23"},
    {u"REWボタン画像の", 1, 1, u"i24 i25/8 i26/9 n27 n28"},
    {u"一時停止ボタン画像の", 2, 4, u"i49 i50/19 i51/18 n52 n53"},
    {u"リピートボタン画像の", 2, 5, u"i48 i47/16 i46/17 n45 n44"},
    {u"シャッフルボタン画像の", 2, 6, u"i43 i42/14 i41/15 n40 n39"},
    {u"最小化ボタン画像の", 2, 3, u"i38 i37/12 i36/13 n35 n34"},
    {u"フルモード切替ボタン画像の", 2, 2, u"i33 i32/10 i31/11 n30 n29"},
    {u"SEEKバー画像の", 3, 7, u"i54 s20/55/3/78/77 n56 n57"},
    {u"音量調節画像の", 3, 8, u"i61 s21/60/4/79/80 n59 n58"},
    {u"スピーカーバランス画像の", 3, 9, u"i65 s22/64/6/81/82 n63 n62"},
    {u"プレイリストの", 4, 10, u"n66 n67 n68 n69"},
    {u"トラック表示の", 4, 11, u"n72 n71 n70"},
    {u"ビデオ＆エフェクトの", 5, 12, u"n76 n75 n74 n73"},
};

QString checkText(QStringView prefix, int panel, int check2, QStringView field)
{
    return u"%1 panel %2 Check2(%3) %4"_s.arg(prefix).arg(panel).arg(check2).arg(field);
}

} // namespace

class tst_Validation : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { editor.reset(); }
    void firstFailingFieldIsReported_data();
    void firstFailingFieldIsReported();
    void switchedOffFieldsAreSkipped_data();
    void switchedOffFieldsAreSkipped();
    void checksRunInTheirFixedOrder();

private:
    // Every element and optional image on, every image an existing file,
    // every position filled in.
    void fillValidPanels();
    QString existingImage() const { return editor->folder.packageFile(u"edit_1.jpg"_s); }

    std::unique_ptr<StartedEditor> editor;
    frmMain *window = nullptr;
};

void tst_Validation::init()
{
    editor = std::make_unique<StartedEditor>();
    window = &editor->window;
    QVERIFY(window->Form_Load());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    fillValidPanels();
}

void tst_Validation::fillValidPanels()
{
    for (QCheckBox *box : hooks(*window).Check2()) {
        box->setChecked(true);
    }
    for (QCheckBox *box : hooks(*window).Check1()) {
        box->setChecked(true);
    }
    for (QLineEdit *field : hooks(*window).Text1()) {
        field->setText(field->property("number").toBool() ? u"10"_s : u"title"_s);
    }
    // The image fields are those a browse button fills.
    for (const QPushButton *browse : hooks(*window).Command2()) {
        hooks(*window).Text1(tagIndex(browse))->setText(existingImage());
    }
}

void tst_Validation::firstFailingFieldIsReported_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("untick1"); // Check1 boxes switched off first
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("title");

    const QString gone = u"/nonexistent/picture.bmp"_s;
    QString title = u"画像ファイル"_s;
    auto row = [&](const char *name, int field, const QString &text, const QString &message,
                   int panel, QList<int> untick = {}, int option = -1) {
        QTest::newRow(name) << field << text << untick << option << message << panel << title;
    };
    row("1 background", 3, gone, u"背景画像の"_s + kMissing, 0);
    row("2 play image", 4, {}, u"プレイボタン画像の"_s + kMissing, 1);
    row("3 play pressed", 5, gone, u"プレイボタン画像の"_s + kMissing, 1);
    row("4 play hover", 6, gone, u"プレイボタン画像の"_s + kMissing, 1);
    row("5 play top", 7, {}, u"プレイボタン画像の"_s + kNoPosition, 1);
    row("6 play left", 8, {}, u"プレイボタン画像の"_s + kNoPosition, 1);
    row("7 stop image", 9, gone, u"ストップボタン画像の"_s + kMissing, 1);
    row("8 stop pressed", 10, gone, u"ストップボタン画像の"_s + kMissing, 1);
    row("9 stop hover", 11, gone, u"ストップボタン画像の"_s + kMissing, 1);
    row("10 stop left", 13, {}, u"ストップボタン画像の"_s + kNoPosition, 1);
    row("11 close image", 14, {}, u"閉じるボタン画像の"_s + kMissing, 1);
    row("12 close pressed", 15, gone, u"閉じるボタン画像の"_s + kMissing, 1);
    row("13 close hover", 16, gone, u"閉じるボタン画像の"_s + kMissing, 1);
    row("14 close top", 17, {}, u"閉じるボタン画像の"_s + kNoPosition, 1);
    row("15 next hover", 21, gone, u"FFWDボタン画像の"_s + kMissing, 1);
    row("16 previous left", 28, {}, u"REWボタン画像の"_s + kNoPosition, 1);
    row("17 pause pressed", 50, gone, u"一時停止ボタン画像の"_s + kMissing, 2);
    row("18 repeat hover", 46, gone, u"リピートボタン画像の"_s + kMissing, 2);
    row("19 shuffle top", 40, {}, u"シャッフルボタン画像の"_s + kNoPosition, 2);
    row("20 minimise left", 34, {}, u"最小化ボタン画像の"_s + kNoPosition, 2);
    row("21 full mode image", 33, gone, u"フルモード切替ボタン画像の"_s + kMissing, 2);
    row("22 seek background", 55, gone, u"SEEKバー画像の"_s + kMissing, 3);
    row("23 volume width", 80, {}, u"音量調節画像の"_s + kNoPosition, 3, {21}, 5);
    row("24 balance height", 81, {}, u"スピーカーバランス画像の"_s + kNoPosition, 3, {22}, 6);
    row("22 seek width, horizontal", 77, {}, u"SEEKバー画像の"_s + kNoPosition, 3, {20}, 2);
    row("22 seek height, vertical", 78, {}, u"SEEKバー画像の"_s + kNoPosition, 3, {20}, 3);
    row("25 playlist width", 69, {}, u"プレイリストの"_s + kNoPosition, 4);
    row("26 track name width", 70, {}, u"トラック表示の"_s + kNoPosition, 4);
    row("27 video width", 73, {}, u"ビデオ＆エフェクトの"_s + kNoPosition, 5);
    row("name no file system holds", 3, u"bad\0name.bmp"_s, u"背景画像の"_s + kMissing, 0);
    // Places the player cannot hold are named with their field's caption,
    // under what was checked.
    title = u"位置と大きさ"_s;
    const QString outOfRange = u"は0から32767までの数値で入力してください。"_s;
    row("play left past 16 bits", 8, u"32768"_s, u"プレイボタン画像のLEFT"_s + outOfRange, 1);
    row("video top past 32 bits", 76, u"99999999999"_s, u"ビデオ＆エフェクトのTOP"_s + outOfRange,
        5);
    row("playlist top pasted as text", 66, u"1a"_s, u"プレイリストのTOP"_s + outOfRange, 4);
}

void tst_Validation::firstFailingFieldIsReported()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QList<int>, untick1);
    QFETCH(int, option);
    QFETCH(QString, message);
    QFETCH(int, panel);
    QFETCH(QString, title);
    for (int box : untick1) {
        hooks(*window).Check1(static_cast<std::size_t>(box))->setChecked(false);
    }
    if (option >= 0) {
        hooks(*window).Option1(static_cast<std::size_t>(option))->setChecked(true);
    }
    QLineEdit *failing = hooks(*window).Text1(static_cast<std::size_t>(field));
    failing->setText(text);
    // Fields later in the table fail as well: only the first is reported.
    hooks(*window).Text1(73)->clear();
    // Started from the other panel and the file set, as from the side menu's save.
    hooks(*window).imgMenu(panel == 6 ? 0 : 6)->click();
    hooks(*window).cmdMenu(0)->click();

    QVERIFY(!hooks(*window).verifyAllFields());
    QCOMPARE(editor->messages.messages.size(), 1);
    QCOMPARE(editor->messages.last().text, message);
    QCOMPARE(editor->messages.last().title, title);
    QCOMPARE(editor->messages.last().icon, MessageIcon::Information);
    QCOMPARE(hooks(*window).editMenuShown(), qint16(1));
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(hooks(*window).picture2(std::size_t(i))->isVisible(), i == panel);
    }
    QCOMPARE(tagOf(hooks(*window).imgMenu(std::size_t(panel))), u"PrevDown"_s);
    QCOMPARE(window->focusWidget(), failing);
    QCOMPARE(failing->selectionStart(), text.isEmpty() ? -1 : 0);
    QCOMPARE(failing->selectedText(), text);
}

void tst_Validation::switchedOffFieldsAreSkipped_data()
{
    QTest::addColumn<QList<int>>("untick1");
    QTest::addColumn<QList<int>>("untick2");
    QTest::addColumn<int>("option"); // Option1 selected first, -1 none
    QTest::addColumn<QList<int>>("emptied");

    QTest::newRow("everything valid") << QList<int>{} << QList<int>{} << -1 << QList<int>{};
    QTest::newRow("Check1 pressed and hover of play")
        << QList<int>{0, 1} << QList<int>{} << -1 << QList<int>{5, 6};
    QTest::newRow("Check1 of an optional button")
        << QList<int>{6, 7} << QList<int>{} << -1 << QList<int>{20, 21};
    QTest::newRow("Check2 next button, every field")
        << QList<int>{} << QList<int>{0} << -1 << QList<int>{19, 20, 21, 22, 23};
    QTest::newRow("Check2 seek slider")
        << QList<int>{} << QList<int>{7} << -1 << QList<int>{54, 55, 56, 57, 77, 78};
    QTest::newRow("Check2 playlist, track name, video")
        << QList<int>{} << QList<int>{10, 11, 12} << -1
        << QList<int>{66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76};
    // Without a background image a slider needs only its length along its direction.
    QTest::newRow("seek horizontal, no height")
        << QList<int>{20} << QList<int>{} << 2 << QList<int>{55, 78};
    QTest::newRow("seek vertical, no width")
        << QList<int>{20} << QList<int>{} << 3 << QList<int>{55, 77};
    QTest::newRow("seek with background, no sizes")
        << QList<int>{} << QList<int>{} << 3 << QList<int>{77, 78};
}

void tst_Validation::switchedOffFieldsAreSkipped()
{
    QFETCH(QList<int>, untick1);
    QFETCH(QList<int>, untick2);
    QFETCH(int, option);
    QFETCH(QList<int>, emptied);
    for (int box : untick1) {
        hooks(*window).Check1(std::size_t(box))->setChecked(false);
    }
    for (int box : untick2) {
        hooks(*window).Check2(std::size_t(box))->setChecked(false);
    }
    if (option >= 0) {
        hooks(*window).Option1(std::size_t(option))->setChecked(true);
    }
    for (int field : emptied) {
        hooks(*window).Text1(std::size_t(field))->clear();
    }
    hooks(*window).imgMenu(4)->click();
    QVERIFY(hooks(*window).verifyAllFields());
    QVERIFY(editor->messages.messages.isEmpty());
    QVERIFY(hooks(*window).picture2(4)->isVisible());
}

QTEST_MAIN(tst_Validation)
#include "tst_validation.moc"

void tst_Validation::checksRunInTheirFixedOrder()
{
    QStringList expected;
    for (const OrderRow &row : kOrder) {
        for (const QStringView field : row.fields.split(u' ')) {
            expected << checkText(row.prefix, row.panel, row.check2, field);
        }
    }
    QStringList derived;
    for (const Sections::FieldCheck &check : Sections::fieldChecks()) {
        const Sections::Section &s = *check.section;
        QString field;
        switch (check.test) {
        case Sections::Test::Image:
            field =
                u"i%1"_s.arg(check.field) + (check.box >= 0 ? u"/%1"_s.arg(check.box) : QString());
            break;
        case Sections::Test::Number:
            field = u"n%1"_s.arg(check.field);
            break;
        case Sections::Test::SliderSize:
            field = u"s%1/%2/%3/%4/%5"_s.arg(s.background.box)
                        .arg(s.background.text)
                        .arg(s.choice.off)
                        .arg(s.height)
                        .arg(s.width);
            break;
        }
        derived << checkText(s.prefix, s.panel, s.check2, field);
    }
    QCOMPARE(derived, expected);
}
