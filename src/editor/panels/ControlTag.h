#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

// A control's Tag text: the cross-references of the layout and the
// "PrevDown" mark of the selected mode button.
inline QString tagOf(const QObject *control)
{
    return control->property("Tag").toString();
}

inline void setTag(QObject *control, const QString &tag)
{
    control->setProperty("Tag", tag);
}

// The Tag read as an array index; -1 when it holds none.
inline int tagIndex(const QObject *control)
{
    bool ok = false;
    const int value = tagOf(control).toInt(&ok);
    return ok ? value : -1;
}
