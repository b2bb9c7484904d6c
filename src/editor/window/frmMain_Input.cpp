// Small behaviours of the panel fields: whole-text selection on entering a
// field, digits only in number fields, the colour dialog behind each swatch
// and the image chooser behind each "・・" button.
#include "chooser/frmFileOpendlg.h"
#include "editor/history/EditHistory.h"
#include "editor/panels/ControlTag.h"
#include "editor/panels/FieldInput.h"
#include "editor/widgets/WidgetColors.h"
#include "frmMain.h"
#include "util/AppError.h"
#include "util/DialogProvider.h"
#include "util/MessageSink.h"
#include "util/clsFunction.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

constexpr qint16 kEnter = 13;
constexpr qint16 kBackspace = 8;

} // namespace

void frmMain::connectInputHelpers()
{
    new FieldInput(
        panelControls(),
        {[this](int field) { guarded([&] { Text1_GotFocus(field); }); },
         [this](int field, qint16 &keyAscii) { guarded([&] { Text1_KeyPress(field, keyAscii); }); },
         [this](int swatch) { guarded([&] { Label2_Click(swatch); }); }},
        this);
    for (std::size_t i = 0; i < m_Command2.size(); ++i) {
        connect(Command2(i), &QPushButton::clicked, this,
                [this, i] { guarded([this, i] { Command2_Click(static_cast<int>(i)); }); });
    }
}

void frmMain::createFileOpenDialog()
{
    mfrmFileOpen = std::make_unique<frmFileOpendlg>(m_messages, m_programFolder, this);
    connect(mfrmFileOpen.get(), &frmFileOpendlg::clickOpen, this,
            [this] { mfrmFileOpen_clickOpen(); });
}

void frmMain::Text1_GotFocus(int Index)
{
    selectAllText(Text1(Index));
}

void frmMain::selectAllText(QLineEdit *field)
{
    field->setFocus();
    field->setSelection(0, static_cast<int>(field->text().size()));
}

void frmMain::Text1_KeyPress(int Index, qint16 &KeyAscii)
{
    if (!Text1(Index)->property("number").toBool()) {
        return;
    }
    if (KeyAscii == kEnter || KeyAscii == kBackspace || (KeyAscii >= u'0' && KeyAscii <= u'9')) {
        return;
    }
    m_messages.beep();
    KeyAscii = 0;
}

void frmMain::Label2_Click(int Index)
{
    QLabel *swatch = Label2(Index);
    const qint32 chosen = pickColor(WidgetColors::toWindowColor(WidgetColors::backColor(swatch)));
    m_history->edit(swatch, WidgetColors::fromWindowColor(chosen).name());
}

qint32 frmMain::pickColor(qint32 initial)
{
    return dialogs().pickColor(initial).value_or(initial);
}

void frmMain::Command2_Click(int Index)
{
    QLineEdit *field = Text1(tagIndex(Command2(Index)));
    // Made when first needed, so that start-up does not wait for it.
    if (!mfrmFileOpen) {
        createFileOpenDialog();
    }
    m_chooserReported = false;
    mfrmFileOpen->setPath(field->text());
    mfrmFileOpen->exec();
    // Closed with its close box, the chooser reports nothing, and the field
    // keeps its text rather than a path chosen earlier for another field.
    if (m_chooserReported) {
        field->setText(m_chosenImagePath);
    }
}

void frmMain::mfrmFileOpen_clickOpen()
{
    m_chosenImagePath = clsFunction::trimBlanks(mfrmFileOpen->getPath());
    m_chooserReported = true;
}
