#pragma once

#include "util/MessageSink.h"

class QWidget;

// Messages and questions as modal message boxes over the owner window.
class MessageBoxSink : public MessageSink {
public:
    explicit MessageBoxSink(QWidget *owner = nullptr) : m_owner(owner) {}

    void setOwner(QWidget *owner) { m_owner = owner; }

    void showMessage(const QString &text, const QString &title, MessageIcon icon) override;
    bool askYesNo(const QString &text, const QString &title) override;
    Answer askYesNoCancel(const QString &text, const QString &title) override;
    // The window system's warning sound.
    void beep() override;

private:
    QWidget *m_owner;
};
