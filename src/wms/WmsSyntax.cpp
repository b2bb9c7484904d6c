#include "WmsSyntax.h"

#include "util/AnsiText.h"
#include "util/UserFile.h"

#include <QSet>
#include <algorithm>
#include <array>

namespace WmsSyntax {

namespace {

struct Entity {
    QChar character;
    QStringView reference;
    bool written; // false: only decoded
};

// "&" first on the way out, so the other references are not escaped twice.
// Line breaks and tabs go out as character references: a raw line break would
// end the element's line, and an XML reader turns raw ones into blanks. A
// single quote never needs escaping inside double quotes, but is read back.
constexpr std::array<Entity, 8> kEntities{{
    {u'&', u"&amp;", true},
    {u'<', u"&lt;", true},
    {u'>', u"&gt;", true},
    {u'"', u"&quot;", true},
    {u'\r', u"&#13;", true},
    {u'\n', u"&#10;", true},
    {u'\t', u"&#9;", true},
    {u'\'', u"&apos;", false},
}};

constexpr QChar kLastEscaped = u'>';
static_assert(std::all_of(kEntities.begin(), kEntities.end(), [](const Entity &e) {
    return !e.written || e.character <= kLastEscaped;
}));

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

bool endsName(QChar c)
{
    return isBlank(c) || c == u'=' || c == u'/' || c == u'>' || isQuote(c);
}

qsizetype skipBlanks(QStringView text, qsizetype pos)
{
    while (pos < text.size() && isBlank(text.at(pos))) {
        ++pos;
    }
    return pos;
}

} // namespace

QString escapeValue(const QString &text)
{
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return c <= kLastEscaped; })) {
        return text; // shared, not copied: most values need no reference
    }
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        // Every character written as a reference lies at or below ">".
        if (c > kLastEscaped) {
            out += c;
            continue;
        }
        const auto *hit = std::find_if(kEntities.begin(), kEntities.end(), [c](const Entity &e) {
            return e.written && e.character == c;
        });
        if (hit == kEntities.end()) {
            out += c;
        } else {
            out += hit->reference;
        }
    }
    return out;
}

QString unescapeValue(QStringView text)
{
    if (!text.contains(u'&')) {
        return text.toString();
    }
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto rest = text.mid(i);
        const auto *hit =
            text.at(i) != u'&'
                ? kEntities.end()
                : std::find_if(kEntities.begin(), kEntities.end(),
                               [rest](const Entity &e) { return rest.startsWith(e.reference); });
        if (hit == kEntities.end()) {
            out += text.at(i);
        } else {
            out += hit->character;
            i += hit->reference.size() - 1;
        }
    }
    return out;
}

qsizetype findElement(QStringView line, QStringView tag)
{
    for (qsizetype at = line.indexOf(u'<'); at >= 0; at = line.indexOf(u'<', at + 1)) {
        const qsizetype after = at + 1 + tag.size();
        if (after < line.size() && line.mid(at + 1, tag.size()) == tag) {
            const QChar next = line.at(after);
            if (isBlank(next) || next == u'/' || next == u'>') {
                return at;
            }
        }
    }
    return -1;
}

Attributes::Attributes(QStringView element)
{
    // Step over "<" and the tag itself.
    qsizetype pos = 1;
    while (pos < element.size() && !endsName(element.at(pos))) {
        ++pos;
    }
    for (;;) {
        pos = skipBlanks(element, pos);
        if (pos >= element.size() || element.at(pos) == u'/' || element.at(pos) == u'>') {
            return;
        }
        const qsizetype nameStart = pos;
        while (pos < element.size() && !endsName(element.at(pos))) {
            ++pos;
        }
        if (pos == nameStart) {
            // A quote or "=" where a name should start: the previous value
            // was not closed where it should have been.
            m_broken = true;
            return;
        }
        const QStringView name = element.mid(nameStart, pos - nameStart);
        pos = skipBlanks(element, pos);
        if (pos >= element.size() || element.at(pos) != u'=') {
            continue; // a bare word carries no value
        }
        pos = skipBlanks(element, pos + 1);
        if (pos >= element.size() || !isQuote(element.at(pos))) {
            m_broken = true;
            return;
        }
        const qsizetype close = element.indexOf(element.at(pos), pos + 1);
        if (close < 0) {
            m_broken = true;
            return;
        }
        m_pairs.append({name, element.mid(pos + 1, close - pos - 1)});
        pos = close + 1;
    }
}

Lookup Attributes::find(QStringView name, QString *value) const
{
    for (const Pair &pair : m_pairs) {
        if (pair.name == name) {
            if (value) {
                *value = unescapeValue(pair.value);
            }
            return Lookup::Found;
        }
    }
    return m_broken ? Lookup::Broken : Lookup::Absent;
}

Lookup attribute(QStringView element, QStringView name, QString *value)
{
    return Attributes(element).find(name, value);
}

std::optional<QStringList> readFileLines(const QString &path)
{
    const std::optional<QByteArray> bytes = UserFile::readAll(path, kMaxFileBytes);
    if (!bytes) {
        return std::nullopt;
    }
    return AnsiText::splitLines(AnsiText::decode(*bytes));
}

namespace {

bool isImageAttribute(QStringView name)
{
    return std::find(kImageAttributes.begin(), kImageAttributes.end(), name) !=
           kImageAttributes.end();
}

// Walks one element from its "<" as attribute() does and adds the first value
// of each image attribute to names. Returns where the walk stopped: the
// element's end, the place where it broke, or a "<" that starts the next
// element; so a line is walked once, however its elements are closed.
qsizetype collectImages(QStringView line, qsizetype pos, QStringList &names, QSet<QString> &known)
{
    QStringList seen;
    ++pos;
    while (pos < line.size() && !endsName(line.at(pos)) && line.at(pos) != u'<') {
        ++pos;
    }
    for (;;) {
        pos = skipBlanks(line, pos);
        if (pos >= line.size() || line.at(pos) == u'/' || line.at(pos) == u'>' ||
            line.at(pos) == u'<') {
            return pos;
        }
        const qsizetype nameStart = pos;
        while (pos < line.size() && !endsName(line.at(pos)) && line.at(pos) != u'<') {
            ++pos;
        }
        if (pos == nameStart) {
            return pos + 1; // broken: go on after the stray quote or "="
        }
        const QStringView name = line.mid(nameStart, pos - nameStart);
        pos = skipBlanks(line, pos);
        if (pos >= line.size() || line.at(pos) != u'=') {
            continue;
        }
        pos = skipBlanks(line, pos + 1);
        if (pos >= line.size() || !isQuote(line.at(pos))) {
            return pos;
        }
        const qsizetype close = line.indexOf(line.at(pos), pos + 1);
        if (close < 0) {
            return line.size();
        }
        if (isImageAttribute(name) && !seen.contains(name)) {
            seen.append(name.toString());
            const QString value = unescapeValue(line.mid(pos + 1, close - pos - 1));
            if (!value.isEmpty() && !known.contains(value)) {
                known.insert(value);
                names.append(value);
            }
        }
        pos = close + 1;
    }
}

} // namespace

QStringList imageNames(const QStringList &lines)
{
    QStringList names;
    QSet<QString> known;
    for (const QString &line : lines) {
        for (qsizetype at = line.indexOf(u'<'); at >= 0 && at < line.size();
             at = line.indexOf(u'<', at)) {
            const qsizetype end = collectImages(line, at, names, known);
            at = end > at ? end : at + 1;
        }
    }
    return names;
}

} // namespace WmsSyntax
