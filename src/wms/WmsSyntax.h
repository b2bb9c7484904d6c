#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>
#include <array>
#include <optional>

// The small part of XML that WMS lines use: one element per line, its
// attributes as name="value" pairs. Shared by the writer and the reader.
namespace WmsSyntax {

// Escapes & < > " and the line break and tab characters, so that any text can
// stand inside a double-quoted value on one line.
QString escapeValue(const QString &text);
// Decodes &amp; &lt; &gt; &quot; &apos; &#13; &#10; and &#9;; any other "&"
// stays as it is, so files written before values were escaped read back unchanged.
QString unescapeValue(QStringView text);

// Index of the "<" that opens element tag in line (tag followed by a blank,
// "/" or ">"), or -1. A word inside a value or a longer tag does not count.
qsizetype findElement(QStringView line, QStringView tag);

enum class Lookup { Found, Absent, Broken };

// Looks up attribute name among the name="value" pairs of the element that
// starts at element[0] == '<'. The scan ends at the element's "/" or ">".
// Broken when a value lacks its closing quote or a pair is malformed before
// the name is found; *value gets the decoded value when Found.
Lookup attribute(QStringView element, QStringView name, QString *value);

// The same lookups for many names, the element walked once.
class Attributes {
public:
    explicit Attributes(QStringView element);
    Lookup find(QStringView name, QString *value) const;

private:
    struct Pair {
        QStringView name;
        QStringView value; // still escaped
    };
    // In order, up to where the element ends or breaks; room for the
    // attributes of any line the writer makes without taking memory.
    QVarLengthArray<Pair, 16> m_pairs;
    bool m_broken = false;
};

// The attributes whose values name image files in the skin's folder.
inline constexpr std::array<QStringView, 6> kImageAttributes{
    u"backgroundimage", u"image", u"disabledimage", u"downimage", u"hoverimage", u"thumbimage",
};

// Real WMS files hold a few kilobytes. Past this a file is no skin, and
// reading it whole could take all the memory there is.
inline constexpr qint64 kMaxFileBytes = qint64(64) << 20;

// The decoded lines of a WMS file; nothing when it cannot be opened as a
// user-named file, is larger than kMaxFileBytes or cannot be read.
std::optional<QStringList> readFileLines(const QString &path);

// The image names that the elements of these lines give, decoded, each once,
// in the order they first appear; empty values are left out.
QStringList imageNames(const QStringList &lines);

} // namespace WmsSyntax
