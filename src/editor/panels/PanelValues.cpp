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

SkinValues read(const PanelControls &controls, const SkinValues &held)
{
    SkinValues values;
    for (const Field &field : SkinFields::all()) {
        const Control control = controlOf(field, controls);
        QString value;
        if (field.id.kind == Kind::List) {
            const int position = static_cast<const QComboBox *>(control.widget)->currentIndex();
            value = position >= 0 ? QString::number(entriesOf(field).first + position)
                                  : held.value(field.id);
        } else if (field.id.kind == Kind::Colour) {
            value = clsFunction::getRRGGBB(
                WidgetColors::toWindowColor(WidgetColors::backColor(control.widget)));
        } else {
            value = readValue(control);
        }
        values.set(field.id, value);
    }
    return values;
}

void write(const SkinValues &values, const PanelControls &controls)
{
    for (const Field &field : SkinFields::all()) {
        const Control control = controlOf(field, controls);
        const QString value = values.value(field.id);
        if (field.id.kind == Kind::List) {
            const WmsFields::ListEntries &entries = entriesOf(field);
            const int number = tryValue([&] {
                                   return clsFunction::toInteger16(value);
                               }).value_or(entries.first - 1);
            const int position =
                number >= entries.first && number <= entries.last ? number - entries.first : -1;
            static_cast<QComboBox *>(control.widget)->setCurrentIndex(position);
        } else if (field.id.kind == Kind::Colour) {
            if (!value.isEmpty()) {
                WidgetColors::setBackColor(
                    control.widget, WidgetColors::fromWindowColor(clsFunction::getVBColor(value)));
            }
        } else {
            writeValue(control, value);
        }
    }
}

} // namespace PanelValues
