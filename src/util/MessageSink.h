#pragma once

#include <QString>

enum class MessageIcon { Stop, Exclamation, Information };

// The title of the open dialogs and of what is said while opening a file.
inline const QString kOpenFileTitle = QStringLiteral("ファイルを開く");
enum class Answer { Yes, No, Cancel };

// How the core tells the user something or asks a Yes/No question.
// The editor answers with message boxes; tests record and script the answers.
class MessageSink {
public:
    virtual ~MessageSink() = default;

    virtual void showMessage(const QString &text, const QString &title, MessageIcon icon) = 0;
    // true for Yes, false for No.
    virtual bool askYesNo(const QString &text, const QString &title) = 0;
    // A question the user may also step back from. A sink that cannot offer
    // the third answer asks Yes/No.
    virtual Answer askYesNoCancel(const QString &text, const QString &title)
    {
        return askYesNo(text, title) ? Answer::Yes : Answer::No;
    }
    // The warning sound for a refused key; a sink without a speaker stays silent.
    virtual void beep() {}
};
