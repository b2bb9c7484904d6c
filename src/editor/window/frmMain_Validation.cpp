// The check of the panels before a save: the first field that fails is
// reported and brought forward, and nothing is written.
#include "editor/history/EditHistory.h"
#include "editor/panels/SectionTable.h"
#include "frmMain.h"
#include "util/AppError.h"
#include "util/MessageSink.h"
#include "util/clsFunction.h"
#include "wms/WmsFields.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString kTitle = u"画像ファイル"_s;
// A place or size the player cannot hold is refused under what was checked.
const QString kPlaceTitle = u"位置と大きさ"_s;
constexpr int kEditSet = 1;

} // namespace

bool frmMain::isTicked(qint16 box) const
{
    return box == Sections::kNone || Check1(box)->isChecked();
}

// Walks the checks in order, resolving each section's box, the boxes of
// optional images and the slider size rule into the fields the skin uses.
bool frmMain::walkUsedFields(const FieldVisitor &visit) const
{
    using Sections::Test;
    for (const Sections::FieldCheck &check : Sections::fieldChecks()) {
        const Sections::Section &section = *check.section;
        if ((section.check2 != Sections::kNone && !Check2(section.check2)->isChecked()) ||
            !isTicked(check.box)) {
            continue;
        }
        Test test = check.test;
        qint16 field = check.field;
        if (test == Test::SliderSize) {
            const bool background = isTicked(section.background.box);
            const bool vertical = Option1(section.choice.off)->isChecked();
            test = background ? Test::Image : Test::Number;
            field =
                background ? section.background.text : (vertical ? section.height : section.width);
        }
        if (!visit(section, test, field)) {
            return false;
        }
    }
    return true;
}

bool frmMain::verifyAllFields()
{
    return walkUsedFields(
        [this](const Sections::Section &section, Sections::Test test, qint16 field) {
            const QString prefix = section.prefix.toString();
            return test == Sections::Test::Image
                       ? verifyImageField(section.panel, Text1(field)->text(), field, prefix)
                       : verifyPositionField(section.panel, field, prefix);
        });
}

bool frmMain::verifyImageField(qint16 intPanel, const QString &strFileName, qint16 intField,
                               const QString &strPrefix)
{
    // A name no file system can hold names no file either.
    if (tryValue([&] { return clsFunction::VerifyFile(strFileName); }).value_or(false)) {
        return true;
    }
    m_messages.showMessage(strPrefix +
                               u"ファイルが存在しません。正しいファイル名を指定してください。"_s,
                           kTitle, MessageIcon::Information);
    bringFieldForward(intPanel, intField);
    return false;
}

bool frmMain::verifyPositionField(qint16 intPanel, qint16 intField, const QString &strPrefix)
{
    const QString text = Text1(intField)->text();
    if (WmsFields::placeValue(text)) {
        return true;
    }
    // A place the player cannot hold (or text pasted past the key filter) is
    // named with its field's caption.
    const PanelRole *role = m_history->roleOf(Text1(intField));
    const bool empty = text.isEmpty() || !role;
    m_messages.showMessage(
        empty ? strPrefix + u"位置を入力してください。"_s
              : u"%1%2は0から%3までの数値で入力してください。"_s.arg(strPrefix, role->caption)
                    .arg(WmsFields::kMaxPlace),
        empty ? kTitle : kPlaceTitle, MessageIcon::Information);
    bringFieldForward(intPanel, intField);
    return false;
}

// As the user would get there: the edit set, the field's panel, then the
// field itself with its whole text selected for retyping.
void frmMain::bringFieldForward(qint16 intPanel, qint16 intField)
{
    cmdMenu_Click(kEditSet);
    imgMenu_Click(intPanel);
    QLineEdit *field = Text1(intField);
    field->setFocus(Qt::OtherFocusReason);
    field->setSelection(0, static_cast<int>(field->text().size()));
}

QStringList frmMain::usedImagePaths() const
{
    std::vector<qint16> fields;
    walkUsedFields([&fields](const Sections::Section &, Sections::Test test, qint16 field) {
        if (test == Sections::Test::Image) {
            fields.push_back(field);
        }
        return true;
    });
    // In field order, so that of two images with one name the later field's wins.
    std::sort(fields.begin(), fields.end());
    QStringList paths;
    for (const qint16 field : fields) {
        paths.append(Text1(field)->text());
    }
    return paths;
}
