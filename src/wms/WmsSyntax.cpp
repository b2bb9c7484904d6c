#include "WmsSyntax.h"

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
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
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

Lookup attribute(QStringView element, QStringView name, QString *value)
{
    // Step over "<" and the tag itself.
    qsizetype pos = 1;
    while (pos < element.size() && !endsName(element.at(pos))) {
        ++pos;
    }
    for (;;) {
        pos = skipBlanks(element, pos);
        if (pos >= element.size() || element.at(pos) == u'/' || element.at(pos) == u'>') {
            return Lookup::Absent;
        }
        const qsizetype nameStart = pos;
        while (pos < element.size() && !endsName(element.at(pos))) {
            ++pos;
        }
        if (pos == nameStart) {
            // A quote or "=" where a name should start: the previous value
            // was not closed where it should have been.
            return Lookup::Broken;
        }
        const QStringView found = element.mid(nameStart, pos - nameStart);
        pos = skipBlanks(element, pos);
        if (pos >= element.size() || element.at(pos) != u'=') {
            continue; // a bare word carries no value
        }
        pos = skipBlanks(element, pos + 1);
        if (pos >= element.size() || !isQuote(element.at(pos))) {
            return Lookup::Broken;
        }
        const qsizetype close = element.indexOf(element.at(pos), pos + 1);
        if (close < 0) {
            return Lookup::Broken;
        }
        if (found == name) {
            if (value) {
                *value = unescapeValue(element.mid(pos + 1, close - pos - 1));
            }
            return Lookup::Found;
        }
        pos = close + 1;
    }
}

QStringList imageNames(const QStringList &lines)
{
    QStringList names;
    for (const QString &line : lines) {
        for (qsizetype at = line.indexOf(u'<'); at >= 0; at = line.indexOf(u'<', at + 1)) {
            const QStringView element = QStringView(line).mid(at);
            for (const QStringView name : kImageAttributes) {
                QString value;
                if (attribute(element, name, &value) == Lookup::Found && !value.isEmpty() &&
                    !names.contains(value)) {
                    names.append(value);
                }
            }
        }
    }
    return names;
}

} // namespace WmsSyntax
