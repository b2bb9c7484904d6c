#pragma once

#include <QString>

enum class MessageIcon { Stop, Exclamation, Information };

// How the core tells the user something or asks a Yes/No question.
// The editor answers with message boxes; tests record and script the answers.
class MessageSink {
public:
    virtual ~MessageSink() = default;

    virtual void showMessage(const QString &text, const QString &title, MessageIcon icon) = 0;
    // true for Yes, false for No.
    virtual bool askYesNo(const QString &text, const QString &title) = 0;
    // The warning sound for a refused key; a sink without a speaker stays silent.
    virtual void beep() {}
};
