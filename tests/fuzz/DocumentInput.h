#pragma once

#include "ElementMembers.h"
#include "FuzzSupport.h"
#include "document/clsFileControl.h"

#include <QList>

// A whole skin document as fuzz input. Field 0 holds one byte per slot, the
// slot's ExistFlag (1 where the field is too short); the next fields are the
// members' texts, slot by slot in member order, empty where they run out.
// Each text stands in one member only: a document is as large as its input,
// which keeps each run short.
namespace DocumentInput {

inline constexpr qsizetype kMemberCount = std::size(kElementMembers);

inline void fill(clsFileControl &doc, QByteArrayView input)
{
    FuzzInput::FieldReader fields(input);
    const QByteArrayView flags = fields.next();
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        clsElement &record = *doc.getElement(slot);
        const qsizetype flagAt = slot - Slot::First;
        record.setExistFlag(flagAt < flags.size() ? static_cast<quint8>(flags.at(flagAt)) : 1);
        for (const ElementMember &member : kElementMembers) {
            (record.*member.set)(QString::fromUtf8(fields.next()));
        }
    }
    // The editor keeps the video and effects areas in one record.
    doc.setElement(doc.getElement(Slot::Effects), Slot::Video);
}

// The fields that fill() turns back into doc.
inline QList<QByteArray> fields(clsFileControl &doc)
{
    QList<QByteArray> out{QByteArray()};
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        const clsElement &record = *doc.getElement(slot);
        out[0].append(static_cast<char>(record.getExistFlag()));
        for (const ElementMember &member : kElementMembers) {
            out.append((record.*member.get)().toUtf8());
        }
    }
    return out;
}

} // namespace DocumentInput
