#include "PanelBaseline.h"

#include "WidgetColors.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// What a user can change in one control, as text; nothing for controls that
// hold no value of the skin (captions, frames, the side menu's buttons).
std::optional<QString> valueOf(const QWidget &widget)
{
    if (const auto *field = qobject_cast<const QLineEdit *>(&widget)) {
        return field->text();
    }
    if (const auto *box = qobject_cast<const QAbstractButton *>(&widget);
        box && box->isCheckable()) {
        return box->isChecked() ? u"1"_s : u"0"_s;
    }
    if (const auto *list = qobject_cast<const QComboBox *>(&widget)) {
        return QString::number(list->currentIndex());
    }
    // Colour swatches are the labels of the Label2 array; a swatch's value is its colour.
    if (qobject_cast<const QLabel *>(&widget) && widget.objectName().startsWith(u"Label2_"_s)) {
        return WidgetColors::backColor(&widget).name();
    }
    return std::nullopt;
}

} // namespace

QStringList PanelBaseline::values() const
{
    QStringList values;
    // Children come in the order they were made, the same every time.
    for (const QWidget *widget : m_panels.findChildren<QWidget *>()) {
        if (const std::optional<QString> value = valueOf(*widget)) {
            values.append(widget->objectName() + u'=' + *value);
        }
    }
    return values;
}
