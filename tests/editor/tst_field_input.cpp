// The input helpers of the panel fields: selection on entry, digits only in
// number fields, the colour dialog behind the swatches and the image chooser
// behind the browse buttons.
#include "EditorFixture.h"
#include "ScriptedDialogs.h"
#include "chooser/FileListBox.h"
#include "chooser/frmFileOpendlg.h"
#include "editor/panels/ControlTag.h"
#include "editor/widgets/ColorSwatch.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// One key of a sequence: a character to type, or a named key.
struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
using Keys = QList<Key>;

Keys typed(const QString &text)
{
    Keys keys;
    for (QChar c : text) {
        keys.append(Key{c == u'-' ? Qt::Key_Minus : Qt::Key(c.toUpper().unicode())});
    }
    return keys;
}

} // namespace

Q_DECLARE_METATYPE(Keys)

class tst_FieldInput : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        editor = std::make_unique<StartedEditor>();
        hooks(editor->window).setDialogProvider(dialogs);
        QVERIFY(editor->window.Form_Load());
        QDir(editor->folder.path()).mkpath(u"sample"_s);
        for (const QString &name : {u"a.bmp"_s, u"b.bmp"_s}) {
            QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(sample(name), "BMP"));
        }
        editor->window.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor->window));
    }
    void cleanup()
    {
        editor.reset();
        dialogs = ScriptedDialogs();
    }

    void numberFieldsAreTheLayoutsOwn()
    {
        QList<int> numbers;
        for (std::size_t i = 0; i < hooks(window()).Text1().size(); ++i) {
            if (hooks(window()).Text1(i)->property("number").toBool()) {
                numbers << int(i);
            }
        }
        QList<int> expected{7,  8,  12, 13, 17, 18, 22, 23, 27, 28, 29, 30, 34,
                            35, 39, 40, 44, 45, 52, 53, 56, 57, 58, 59, 62, 63};
        for (int i = 66; i <= 82; ++i) {
            expected << i;
        }
        QCOMPARE(numbers, expected);
    }

    void keySequences_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<Keys>("keys");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("beeps");
        QTest::newRow("TOP: 1 2 a minus") << 7 << QString() << typed(u"12a-"_s) << u"12"_s << 2;
        QTest::newRow("TOP: Backspace and Enter pass")
            << 7 << u"345"_s << Keys{{Qt::Key_Backspace}, {Qt::Key_Return}} << u"34"_s << 0;
        QTest::newRow("TOP: Ctrl+V is dropped")
            << 8 << QString() << Keys{{Qt::Key_V, Qt::ControlModifier}} << QString() << 1;
        QTest::newRow("LEFT: arrows and Delete are no characters")
            << 13 << u"123"_s << Keys{{Qt::Key_Home}, {Qt::Key_Right}, {Qt::Key_Delete}} << u"13"_s
            << 0;
        QTest::newRow("TOP: Alt+A Alt+Z that no menu takes")
            << 7 << u"5"_s << Keys{{Qt::Key_A, Qt::AltModifier}, {Qt::Key_Z, Qt::AltModifier}}
            << u"5"_s << 2;
        QTest::newRow("LEFT: Meta+X")
            << 58 << QString() << Keys{{Qt::Key_X, Qt::MetaModifier}} << QString() << 1;
        QTest::newRow("TOP: Alt+5 types nothing")
            << 7 << u"300"_s << Keys{{Qt::Key_5, Qt::AltModifier}} << u"300"_s << 1;
        QTest::newRow("LEFT: Meta+5 types nothing")
            << 8 << u"300"_s << Keys{{Qt::Key_5, Qt::MetaModifier}} << u"300"_s << 1;
        QTest::newRow("TOP: Ctrl+A, then typing replaces")
            << 7 << u"121"_s << Keys{{Qt::Key_A, Qt::ControlModifier}} + typed(u"200"_s) << u"200"_s
            << 0;
        QTest::newRow("TOP: Ctrl+X cuts")
            << 7 << u"121"_s
            << Keys{{Qt::Key_A, Qt::ControlModifier}, {Qt::Key_X, Qt::ControlModifier}} << QString()
            << 0;
        QTest::newRow("title: AltGr types its character")
            << 0 << QString() << Keys{{Qt::Key_At, Qt::GroupSwitchModifier}} << u"@"_s << 0;
        QTest::newRow("TOP: a space beeps")
            << 12 << QString() << Keys{{Qt::Key_Space}} << QString() << 1;
        QTest::newRow("image path: anything goes")
            << 4 << QString() << typed(u"a-1"_s) << u"a-1"_s << 0;
        QTest::newRow("image path: Ctrl+V pastes")
            << 4 << QString() << Keys{{Qt::Key_V, Qt::ControlModifier}} << u"99x"_s << 0;
        QTest::newRow("title: free text") << 0 << QString() << typed(u"-q"_s) << u"-q"_s << 0;
    }
    void keySequences()
    {
        QFETCH(int, field);
        QFETCH(QString, before);
        QFETCH(Keys, keys);
        QFETCH(QString, after);
        QFETCH(int, beeps);
        QApplication::clipboard()->setText(u"99x"_s);
        QLineEdit *box = text(field);
        box->setEnabled(true);
        box->setText(before);
        box->setFocus(Qt::MouseFocusReason);
        box->end(false);
        editor->messages.clear();
        for (const Key &key : keys) {
            QTest::keyClick(box, key.key, key.modifiers);
        }
        QCOMPARE(box->text(), after);
        QCOMPARE(editor->messages.beeps, beeps);
    }

    // Ctrl+V in a number field pastes digits and nothing else; Ctrl+C copies.
    void numberFieldsPasteOnlyDigits_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("after");
        QTest::newRow("digits") << u"42"_s << u"1242"_s;
        QTest::newRow("a sign") << u"-4"_s << u"12"_s;
        QTest::newRow("blank") << u" 4"_s << u"12"_s;
    }
    void numberFieldsPasteOnlyDigits()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, after);
        QLineEdit *box = text(7);
        box->setText(u"12"_s);
        box->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), u"12"_s);
        QApplication::clipboard()->setText(clipboard);
        box->end(false);
        editor->messages.clear();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), after);
        QCOMPARE(editor->messages.beeps, after == u"12"_s ? 1 : 0);
    }

    // A swatch reached with Tab opens its colour dialog on Space or Enter.
    void swatchOpensFromTheKeyboard_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Space") << Qt::Key_Space;
        QTest::newRow("Enter") << Qt::Key_Return;
    }
    void swatchOpensFromTheKeyboard()
    {
        QFETCH(Qt::Key, key);
        QLabel *swatch = hooks(window()).Label2(1); // the play button's, always enabled
        hooks(window()).imgMenu(1)->click();
        swatch->setFocus(Qt::TabFocusReason);
        QVERIFY(swatch->hasFocus());
        dialogs.colorAnswers = {0x00FF00};
        QTest::keyClick(swatch, key);
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(WidgetColors::backColor(swatch), WidgetColors::fromWindowColor(0x00FF00));
    }

    // Text that arrives without key characters, as from the context menu, is
    // not filtered.
    void pastingFromTheMenuIsNotFiltered()
    {
        QApplication::clipboard()->setText(u"ab-"_s);
        QLineEdit *box = text(7);
        box->setFocus(Qt::MouseFocusReason);
        box->paste();
        QCOMPARE(box->text(), u"ab-"_s);
        QCOMPARE(editor->messages.beeps, 0);
    }

    void enteringAFieldSelectsItsText_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("selected");
        QTest::newRow("Tab") << int(Qt::TabFocusReason) << true;
        QTest::newRow("Shift+Tab") << int(Qt::BacktabFocusReason) << true;
        QTest::newRow("the program") << int(Qt::OtherFocusReason) << true;
        QTest::newRow("back from a menu") << int(Qt::PopupFocusReason) << false;
    }
    void enteringAFieldSelectsItsText()
    {
        QFETCH(int, reason);
        QFETCH(bool, selected);
        text(0)->setText(u"Velmora"_s);
        text(1)->setFocus();
        text(0)->setFocus(Qt::FocusReason(reason));
        QVERIFY(text(0)->hasFocus());
        QCOMPARE(text(0)->selectedText(), selected ? u"Velmora"_s : QString());
    }

    void tabIntoAField()
    {
        text(1)->setText(u"author"_s);
        text(0)->setFocus();
        QTest::keyClick(text(0), Qt::Key_Tab);
        QVERIFY(text(1)->hasFocus());
        QCOMPARE(text(1)->selectedText(), u"author"_s);
    }

    // Tab walks every control of a panel once, section by section from the
    // top, each section row by row from the left; Shift+Tab walks it back.
    void tabFollowsReadingOrder_data()
    {
        QTest::addColumn<int>("panel");
        for (int panel = 0; panel <= 5; ++panel) {
            QTest::addRow("panel %d", panel) << panel;
        }
    }
    void tabFollowsReadingOrder()
    {
        QFETCH(int, panel);
        tickEveryBox();
        hooks(window()).imgMenu(panel)->click();
        QWidget *shown = hooks(window()).picture2(panel);
        QList<QWidget *> expected;
        for (QWidget *w : shown->findChildren<QWidget *>()) {
            // Of a group of option buttons, Tab enters at the chosen one.
            const auto *option = qobject_cast<QRadioButton *>(w);
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
                (!option || option->isChecked())) {
                expected.append(w);
            }
        }
        QVERIFY(!expected.isEmpty());

        QList<QWidget *> forward = walk(expected.constFirst(), Qt::Key_Tab);
        // From the panel's first stop: the one the stop before it is outside the panel.
        for (qsizetype i = 0; i < forward.size(); ++i) {
            if (!shown->isAncestorOf(forward[(i + forward.size() - 1) % forward.size()]) &&
                shown->isAncestorOf(forward[i])) {
                std::rotate(forward.begin(), forward.begin() + i, forward.end());
                break;
            }
        }
        QList<QWidget *> inPanel;
        for (QWidget *w : forward) {
            QVERIFY2(qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractButton *>(w) ||
                         qobject_cast<QComboBox *>(w) || dynamic_cast<ColorSwatch *>(w),
                     qPrintable(w->objectName() + u" cannot show the focus"_s));
            if (shown->isAncestorOf(w)) {
                inPanel.append(w);
            }
        }
        // One run: the panel is left only once its last stop is reached.
        QCOMPARE(forward.mid(0, inPanel.size()), inPanel);
        QCOMPARE(QSet<QWidget *>(inPanel.begin(), inPanel.end()),
                 QSet<QWidget *>(expected.begin(), expected.end()));
        QCOMPARE(inPanel.size(), expected.size());
        for (qsizetype i = 1; i < inPanel.size(); ++i) {
            QVERIFY2(
                readsAfter(shown, inPanel[i - 1], inPanel[i]),
                qPrintable(inPanel[i - 1]->objectName() + u" then "_s + inPanel[i]->objectName()));
        }
        QList<QWidget *> backward = walk(forward.constLast(), Qt::Key_Backtab);
        std::reverse(backward.begin(), backward.end());
        QCOMPARE(backward, forward);
    }

    void pickColor_data()
    {
        QTest::addColumn<std::optional<qint32>>("answer");
        QTest::addColumn<QColor>("after");
        QTest::newRow("chosen") << std::optional<qint32>(0x00332211) << QColor(0x11, 0x22, 0x33);
        QTest::newRow("cancelled") << std::optional<qint32>() << QColor(0xFF, 0x00, 0x00);
    }
    void pickColor()
    {
        QFETCH(std::optional<qint32>, answer);
        QFETCH(QColor, after);
        dialogs.colorAnswers = {answer};
        QLabel *swatch = hooks(window()).Label2(17);
        QCOMPARE(WidgetColors::backColor(swatch), QColor(255, 0, 0));
        QTest::mouseClick(swatch, Qt::LeftButton);
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].kind, ScriptedDialogs::Kind::Color);
        QCOMPARE(dialogs.requests[0].initialColor, qint32(0x0000FF)); // red
        QCOMPARE(WidgetColors::backColor(swatch), after);
    }

    void greyedSwatchOpensNoDialog()
    {
        QLabel *swatch = hooks(window()).Label2(3); // in the switched-off FFWD frame
        QVERIFY(!swatch->isEnabled());
        QTest::mouseClick(swatch, Qt::LeftButton);
        QVERIFY(dialogs.requests.isEmpty());
    }

    // Every browse button starts the chooser at the field of its own row and
    // writes the chosen path there, and nowhere else.
    void browseButtonFillsItsRow_data()
    {
        QTest::addColumn<int>("button");
        for (int i = 0; i < 37; ++i) {
            QTest::addRow("Command2(%d)", i) << i;
        }
    }
    void browseButtonFillsItsRow()
    {
        QFETCH(int, button);
        const int field = tagIndex(hooks(window()).Command2(std::size_t(button)));
        QLineEdit *target = text(field);
        QVERIFY(target->geometry().right() < hooks(window()).Command2(std::size_t(button))->x());
        target->setText(sample(u"a.bmp"_s) + u" "_s);
        tickEveryBox(); // a button of a greyed row takes no click
        QString given;
        whileShown([&](frmFileOpendlg &chooser) {
            given = chooser.getPath();
            choose(chooser, u"b.bmp"_s);
            chooser.cmdOpen[0]->click();
        });
        hooks(window()).Command2(button)->click();
        QCOMPARE(given, sample(u"a.bmp"_s) + u" "_s);
        QCOMPARE(target->text(), sample(u"b.bmp"_s));
        for (QLineEdit *other : hooks(window()).Text1()) {
            QVERIFY(other == target || other->text().isEmpty());
        }
    }

    void cancelWritesBackTheTrimmedPath()
    {
        text(3)->setText(u" "_s + sample(u"a.bmp"_s) + u"  "_s);
        whileShown([](frmFileOpendlg &chooser) { chooser.cmdOpen[1]->click(); });
        QTest::mouseClick(hooks(window()).Command2(0), Qt::LeftButton);
        QCOMPARE(text(3)->text(), sample(u"a.bmp"_s));
    }

    // Closed with its close box, the chooser reports nothing: the field keeps
    // its text rather than the path chosen before for another field.
    void closeBoxLeavesTheField()
    {
        whileShown([this](frmFileOpendlg &chooser) {
            choose(chooser, u"b.bmp"_s);
            chooser.cmdOpen[0]->click();
        });
        hooks(window()).Command2(0)->click();
        QCOMPARE(text(3)->text(), sample(u"b.bmp"_s));
        text(4)->setText(u"kept"_s);
        whileShown([](frmFileOpendlg &chooser) { chooser.close(); });
        hooks(window()).Command2(1)->click();
        QCOMPARE(text(4)->text(), u"kept"_s);
        QCOMPARE(hooks(window()).chosenImagePath(), sample(u"b.bmp"_s));
    }

    void chooserLivesWithTheWindow()
    {
        whileShown([](frmFileOpendlg &chooser) { chooser.close(); });
        hooks(window()).Command2(0)->click();
        QVERIFY(hooks(window()).fileOpenDialog());
        QCOMPARE(hooks(window()).fileOpenDialog()->parentWidget(), &window());
        hooks(window()).Form_Unload();
        QVERIFY(!hooks(window()).fileOpenDialog());
    }

private:
    frmMain &window() { return editor->window; }
    QLineEdit *text(int index) { return hooks(window()).Text1(static_cast<std::size_t>(index)); }
    // Every section and every optional picture switched on: no field greyed.
    void tickEveryBox()
    {
        for (QCheckBox *box : hooks(window()).Check2()) {
            box->setChecked(true);
        }
        for (QCheckBox *box : hooks(window()).Check1()) {
            box->setChecked(true);
        }
    }
    QString sample(const QString &name) const
    {
        return editor->folder.path() + u"/sample/"_s + name;
    }

    void whileShown(std::function<void(frmFileOpendlg &)> user)
    {
        whileChooserShown(window(), std::move(user));
    }

    // The focus stops met from start, by one key, until start comes round again.
    static QList<QWidget *> walk(QWidget *start, Qt::Key key)
    {
        start->setFocus(Qt::OtherFocusReason);
        QList<QWidget *> met{start};
        for (int step = 0; step < 1000; ++step) {
            QTest::keyClick(QApplication::focusWidget(), key);
            if (QApplication::focusWidget() == start) {
                return met;
            }
            met.append(QApplication::focusWidget());
        }
        return {};
    }

    // Whether b comes after a in reading order: a later section (a frame of
    // the panel lower down), or in the same one lower down, or on the same
    // line further right.
    static bool readsAfter(QWidget *panel, QWidget *a, QWidget *b)
    {
        const QRect ra(a->mapTo(panel, QPoint()), a->size());
        const QRect rb(b->mapTo(panel, QPoint()), b->size());
        const QWidget *sa = sectionOf(panel, a);
        const QWidget *sb = sectionOf(panel, b);
        if (sa != sb) {
            return sb->y() >= sa->y() + sa->height() / 2 ||
                   (sb->y() < sa->y() + sa->height() / 2 && sb->x() > sa->x());
        }
        const bool sameLine =
            std::abs(ra.center().y() - rb.center().y()) <= std::min(ra.height(), rb.height()) / 2;
        return sameLine ? rb.left() > ra.left() : rb.center().y() > ra.center().y();
    }
    // The frame of the panel that a control lies in (or, for a box heading a
    // frame from above, that it heads); the control itself outside any.
    static const QWidget *sectionOf(QWidget *panel, QWidget *w)
    {
        const QPoint middle = w->mapTo(panel, w->rect().center());
        for (QObject *child : panel->children()) {
            auto *frame = qobject_cast<QGroupBox *>(child);
            if (frame && frame->geometry().adjusted(0, -w->height(), 0, 0).contains(middle)) {
                return frame;
            }
        }
        return w;
    }

    static void choose(frmFileOpendlg &chooser, const QString &name)
    {
        chooseListedFile(chooser, name);
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<StartedEditor> editor;
};

QTEST_MAIN(tst_FieldInput)
#include "tst_field_input.moc"
