#include "PanelValues.h"

#include "editor/panels/PanelControls.h"
#include "editor/widgets/WidgetColors.h"
#include "util/AppError.h"
#include "util/clsFunction.h"
#include "wms/WmsFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace PanelValues {

namespace {

using SkinFields::Field;
using SkinFields::Kind;

template <typename T> T *at(std::span<T *const> controls, qint16 index)
{
    return controls[static_cast<std::size_t>(index)];
}

const WmsFields::ListEntries &entriesOf(const Field &field)
{
    return field.id.index == field.section->fontSize ? WmsFields::kFontSizes
                                                     : WmsFields::kScrollSpeeds;
}

} // namespace

Control controlOf(const Field &field, const PanelControls &controls)
{
    switch (field.id.kind) {
    case Kind::Text:
        return {at(controls.Text1, field.id.index)};
    case Kind::ImageBox:
        return {at(controls.Check1, field.id.index)};
    case Kind::SectionBox:
        return {at(controls.Check2, field.id.index)};
    case Kind::Choice:
        return {at(controls.Option1, field.id.index), at(controls.Option1, field.partner)};
    case Kind::Colour:
        return {at(controls.Label2, field.id.index)};
    case Kind::List:
        return {at(controls.Combo1, field.id.index)};
    }
    return {};
}

QString fromControlText(const Field &field, const QString &text, const QString &held)
{
    // As the control would show it: a box is ticked by "1" alone, a choice
    // takes its second option for anything but "1" and nothing.
    if (field.id.kind == Kind::ImageBox || field.id.kind == Kind::SectionBox) {
        return text == u"1"_s ? text : u"0"_s;
    }
    if (field.id.kind == Kind::Choice) {
        return text.isEmpty() || text == u"1"_s ? text : u"0"_s;
    }
    if (field.id.kind == Kind::List) {
        bool number = false;
        const int position = text.toInt(&number);
        return number && position >= 0 ? QString::number(entriesOf(field).first + position) : held;
    }
    if (field.id.kind == Kind::Colour) {
        const QColor colour(text);
        return colour.isValid() ? clsFunction::getRRGGBB(WidgetColors::toWindowColor(colour))
                                : held;
    }
    return text;
}

QString toControlText(const Field &field, const QString &value)
{
    if (field.id.kind == Kind::List) {
        return QString::number(WmsFields::listPosition(entriesOf(field), value).value_or(-1));
    }
    if (field.id.kind == Kind::Colour) {
        const std::optional<qint32> colour = clsFunction::tryColour(value);
        return colour ? WidgetColors::fromWindowColor(*colour).name() : QString();
    }
    return value;
}

QString readField(const Field &field, const PanelControls &controls, const QString &held)
{
    const Control control = controlOf(field, controls);
    if (field.id.kind == Kind::Colour) {
        return clsFunction::getRRGGBB(
            WidgetColors::toWindowColor(WidgetColors::backColor(control.widget)));
    }
    return fromControlText(field, readValue(control), held);
}

void writeField(const Field &field, const QString &value, const PanelControls &controls)
{
    const Control control = controlOf(field, controls);
    if (field.id.kind == Kind::List) {
        static_cast<QComboBox *>(control.widget)
            ->setCurrentIndex(WmsFields::listPosition(entriesOf(field), value).value_or(-1));
    } else if (field.id.kind == Kind::Colour) {
        if (const std::optional<qint32> colour = clsFunction::tryColour(value)) {
            WidgetColors::setBackColor(control.widget, WidgetColors::fromWindowColor(*colour));
        }
    } else {
        writeValue(control, value);
    }
}

SkinValues read(const PanelControls &controls, const SkinValues &held)
{
    SkinValues values;
    for (const Field &field : SkinFields::all()) {
        values.set(field.id, readField(field, controls, held.value(field.id)));
    }
    return values;
}

void write(const SkinValues &values, const PanelControls &controls)
{
    for (const Field &field : SkinFields::all()) {
        writeField(field, values.value(field.id), controls);
    }
}

} // namespace PanelValues
