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

// The reference written for each character up to ">", empty for the others:
// a value is escaped with one look-up per character.
constexpr auto kWrittenReferences = [] {
    std::array<QStringView, kLastEscaped.unicode() + 1> references{};
    for (const Entity &e : kEntities) {
        if (e.written) {
            references[e.character.unicode()] = e.reference;
        }
    }
    return references;
}();

constexpr bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

constexpr bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

// Every character that ends a name lies at or below ">"; looked up in a
// table, the letters of a name are passed with one comparison each.
constexpr QChar kLastNameEnd = u'>';
constexpr auto kNameEnds = [] {
    std::array<bool, kLastNameEnd.unicode() + 1> ends{};
    for (char16_t c = 0; c < ends.size(); ++c) {
        ends[c] = isBlank(c) || c == u'=' || c == u'/' || c == u'>' || isQuote(c);
    }
    return ends;
}();

bool endsName(QChar c)
{
    return c <= kLastNameEnd && kNameEnds[c.unicode()];
}

// The walks step a pointer: each character costs a comparison or two, the
// reader meets every name of every line.
const QChar *skipBlanks(const QChar *at, const QChar *end)
{
    while (at != end && isBlank(*at)) {
        ++at;
    }
    return at;
}

const QChar *skipName(const QChar *at, const QChar *end)
{
    while (at != end && !endsName(*at)) {
        ++at;
    }
    return at;
}

qsizetype skipBlanks(QStringView text, qsizetype pos)
{
    return skipBlanks(text.begin() + pos, text.end()) - text.begin();
}

} // namespace

QString escapeValue(const QString &text)
{
    // Most values need no reference and are given back shared, not copied;
    // the others are copied in runs between the characters escaped.
    QString out;
    qsizetype done = 0;
    const QChar *const chars = text.constData();
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (chars[at] > kLastEscaped) {
            continue;
        }
        const QStringView reference = kWrittenReferences[chars[at].unicode()];
        if (reference.isEmpty()) {
            continue;
        }
        if (out.isNull()) {
            out.reserve(text.size() + 16);
        }
        out.append(chars + done, at - done);
        out += reference;
        done = at + 1;
    }
    if (out.isNull()) {
        return text;
    }
    out.append(chars + done, text.size() - done);
    return out;
}

QString unescapeValue(QStringView text)
{
    qsizetype amp = text.indexOf(u'&');
    if (amp < 0) {
        return text.toString();
    }
    QString out;
    out.reserve(text.size());
    qsizetype done = 0;
    for (; amp >= 0; amp = text.indexOf(u'&', done)) {
        out += text.mid(done, amp - done);
        const QStringView rest = text.mid(amp);
        const auto *hit = std::find_if(kEntities.begin(), kEntities.end(), [rest](const Entity &e) {
            return rest.startsWith(e.reference);
        });
        if (hit == kEntities.end()) {
            out += u'&';
            done = amp + 1;
        } else {
            out += hit->character;
            done = amp + hit->reference.size();
        }
    }
    out += text.mid(done);
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
    if (element.isEmpty()) {
        return;
    }
    const QChar *const end = element.end();
    // Step over "<" and the tag itself.
    const QChar *at = skipName(element.begin() + 1, end);
    for (;;) {
        at = skipBlanks(at, end);
        if (at == end || *at == u'/' || *at == u'>') {
            return;
        }
        const QChar *const nameStart = at;
        at = skipName(at, end);
        if (at == nameStart) {
            // A quote or "=" where a name should start: the previous value
            // was not closed where it should have been.
            m_broken = true;
            return;
        }
        const QStringView name(nameStart, at);
        at = skipBlanks(at, end);
        if (at == end || *at != u'=') {
            continue; // a bare word carries no value
        }
        at = skipBlanks(at + 1, end);
        if (at == end || !isQuote(*at)) {
            m_broken = true;
            return;
        }
        const QStringView rest(at + 1, end);
        const qsizetype close = rest.indexOf(*at);
        if (close < 0) {
            m_broken = true;
            return;
        }
        m_pairs.append({name, rest.first(close)});
        at = rest.begin() + close + 1;
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
