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
        if (!control || code == u'\n') {
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
    QString lines = shownPath(text);
    lines.replace(u"\r\n"_s, u"\n"_s);
    m_stream << terminalText(title + u": "_s + lines) << u'\n';
    m_stream.flush();
}

bool ConsoleMessageSink::askYesNo(const QString &text, const QString &title)
{
    showMessage(text, title, MessageIcon::Information);
    return false;
}
