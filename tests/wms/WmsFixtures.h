#pragma once

#include "ElementMembers.h"
#include "document/clsElement.h"
#include "document/clsFileControl.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

using namespace Qt::StringLiterals;

namespace WmsFixtures {

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Joins lines with CR LF after each, as the writer ends every line.
inline QByteArray crlfLines(std::initializer_list<const char *> lines)
{
    QByteArray out;
    for (const char *line : lines) {
        out += QByteArray(line) + "\r\n";
    }
    return out;
}

// What the writer makes of a document whose records were never filled.
inline const QByteArray kEmptySkin = crlfLines({
    R"(<theme id="velmora" title="" author="" copyright="">)",
    R"(<view title="" titlebar="" backgroundimage="" transparencycolor="" backgroundcolor="none">)",
    "</view>",
    "</theme>",
});

// Every element present and every member set, each to a value of its own so a
// mix-up shows: Japanese text with blanks, image paths with blanks under
// imageFolder. The video and effects areas share one record, as in the editor.
inline void fillFullDocument(clsFileControl &doc, const QString &imageFolder)
{
    for (qint16 slot = Slot::First; slot <= Slot::Last; ++slot) {
        auto record = doc.getElement(slot);
        record->setExistFlag(1);
        for (const ElementMember &m : kElementMembers) {
            const QString value = u"%1 %2 値"_s.arg(QLatin1StringView(m.name)).arg(slot);
            const bool image = QByteArrayView(m.name).endsWith("image");
            ((*record).*m.set)(image ? QDir(imageFolder).filePath(value + u".bmp"_s) : value);
        }
    }
    doc.setElement(doc.getElement(Slot::Effects), Slot::Video);
}

} // namespace WmsFixtures
