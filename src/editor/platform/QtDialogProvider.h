#pragma once

#include "util/DialogProvider.h"

class QWidget;

// The platform's file and colour dialogs, modal over the owner window. Qt's
// own dialogs are used on every desktop so they look and behave the same
// everywhere and can be driven by accessibility tools.
class QtDialogProvider : public DialogProvider {
public:
    explicit QtDialogProvider(QWidget *owner = nullptr) : m_owner(owner) {}

    std::optional<QString> openFile(const FileDialogRequest &request) override;
    std::optional<QString> saveFile(const FileDialogRequest &request) override;
    std::optional<QString> chooseFolder(const FileDialogRequest &request) override;
    std::optional<qint32> pickColor(qint32 initial) override;

private:
    QWidget *m_owner;
};
