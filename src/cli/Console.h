#pragma once

#include "util/MessageSink.h"

#include <QTextStream>

// Standard output and standard error of a command-line run, as UTF-8 text.
class Console {
public:
    Console();

    QTextStream &out() { return m_out; }
    QTextStream &err() { return m_err; }

private:
    QTextStream m_out;
    QTextStream m_err;
};

// One line of text as a terminal shows it: control characters, which a
// terminal would obey (an escape sequence in a skin's title can retitle the
// window or hide lines), written as escapes; line feeds too, so that a name
// cannot add a line that looks like a report's own.
QString terminalText(const QString &text);

// Shows the core's messages on standard error as "title: text", one line per
// line of the message, since there is no window to put a box on.
class ConsoleMessageSink : public MessageSink {
public:
    explicit ConsoleMessageSink(QTextStream &stream) : m_stream(stream) {}

    void showMessage(const QString &text, const QString &title, MessageIcon icon) override;
    // Nothing on the command line asks; should the core ever ask, No keeps
    // whatever is there.
    bool askYesNo(const QString &text, const QString &title) override;

private:
    QTextStream &m_stream;
};
