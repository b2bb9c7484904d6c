#include "Console.h"

#include "Commands.h"

#include <cstdio>

using namespace Qt::StringLiterals;

Console::Console() : m_out(stdout), m_err(stderr)
{
}

void ConsoleMessageSink::showMessage(const QString &text, const QString &title, MessageIcon)
{
    // Message boxes break lines with CR LF; a terminal wants plain line ends.
    QString lines = shownPath(text);
    lines.replace(u"\r\n"_s, u"\n"_s);
    m_stream << title << u": "_s << lines << u'\n';
    m_stream.flush();
}

bool ConsoleMessageSink::askYesNo(const QString &text, const QString &title)
{
    showMessage(text, title, MessageIcon::Information);
    return false;
}
