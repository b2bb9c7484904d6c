#pragma once

#include "util/MessageSink.h"

#include <QList>
#include <QString>

// Keeps every message the code under test shows and answers Yes/No questions
// from a script (Yes when the script runs out).
class RecordingMessageSink : public MessageSink {
public:
    struct Message {
        QString text;
        QString title;
        MessageIcon icon;
        bool question;
    };

    void showMessage(const QString &text, const QString &title, MessageIcon icon) override
    {
        messages.append({text, title, icon, false});
    }

    bool askYesNo(const QString &text, const QString &title) override
    {
        messages.append({text, title, MessageIcon::Information, true});
        return answers.isEmpty() ? true : answers.takeFirst();
    }

    // Answered from choices (Yes when it runs out).
    Answer askYesNoCancel(const QString &text, const QString &title) override
    {
        messages.append({text, title, MessageIcon::Information, true});
        return choices.isEmpty() ? Answer::Yes : choices.takeFirst();
    }

    void beep() override { ++beeps; }

    const Message &last() const { return messages.constLast(); }
    void clear()
    {
        messages.clear();
        beeps = 0;
    }

    QList<Message> messages;
    QList<bool> answers;
    QList<Answer> choices;
    int beeps = 0;
};
