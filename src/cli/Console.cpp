#include "Console.h"

#include "Commands.h"

#include <cstdio>

using namespace Qt::StringLiterals;

Console::Console() : m_out(stdout), m_err(stderr)
{
}

QString terminalText(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        const bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
        if (!control) {
            shown += c;
        } else {
            shown += u"\\x"_s + QString::number(code, 16).toUpper().rightJustified(2, u'0');
        }
    }
    return shown;
}

void ConsoleMessageSink::showMessage(const QString &text, const QString &title, MessageIcon)
{
    // Message boxes break lines with CR LF; a terminal wants plain line ends.
    // A line break inside a line (in a name) is shown like any control character.
    QStringList lines = shownPath(text).split(u"\r\n"_s);
    for (QString &line : lines) {
        line = terminalText(line);
    }
    m_stream << terminalText(title) << u": "_s << lines.join(u'\n') << u'\n';
    m_stream.flush();
}

bool ConsoleMessageSink::askYesNo(const QString &text, const QString &title)
{
    showMessage(text, title, MessageIcon::Information);
    return false;
}
