#include "ControlValue.h"

#include "editor/widgets/WidgetColors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace Qt::StringLiterals;

QString readValue(const Control &control)
{
    if (control.partner) {
        const auto *first = static_cast<const QRadioButton *>(control.widget);
        return first->isChecked() ? u"1"_s : control.partner->isChecked() ? u"0"_s : QString();
    }
    if (const auto *field = qobject_cast<const QLineEdit *>(control.widget)) {
        return field->text();
    }
    if (const auto *box = qobject_cast<const QCheckBox *>(control.widget)) {
        return box->isChecked() ? u"1"_s : u"0"_s;
    }
    if (const auto *list = qobject_cast<const QComboBox *>(control.widget)) {
        return QString::number(list->currentIndex());
    }
    return WidgetColors::backColor(control.widget).name();
}

void writeValue(const Control &control, const QString &value)
{
    if (control.partner) {
        auto *first = static_cast<QRadioButton *>(control.widget);
        if (value.isEmpty()) {
            // Neither selected: exclusive options cannot be cleared one by one.
            for (QRadioButton *option : {first, control.partner}) {
                option->setAutoExclusive(false);
                option->setChecked(false);
                option->setAutoExclusive(true);
            }
            return;
        }
        (value == u"1"_s ? first : control.partner)->setChecked(true);
        return;
    }
    if (auto *field = qobject_cast<QLineEdit *>(control.widget)) {
        field->setText(value);
    } else if (auto *box = qobject_cast<QCheckBox *>(control.widget)) {
        box->setChecked(value == u"1"_s);
    } else if (auto *list = qobject_cast<QComboBox *>(control.widget)) {
        list->setCurrentIndex(value.toInt());
    } else if (const QColor color(value); color.isValid()) {
        WidgetColors::setBackColor(control.widget, color);
    }
}
