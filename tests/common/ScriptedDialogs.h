#pragma once

#include "util/DialogProvider.h"

#include <QList>
#include <QString>
#include <optional>

// Answers the editor's file and colour dialogs from a script and keeps what
// each dialog was asked to show. A dialog whose script has run out is
// cancelled.
class ScriptedDialogs : public DialogProvider {
public:
    enum class Kind { Open, Save, Folder, Color };

    struct Request {
        Kind kind;
        FileDialogRequest file; // empty for a colour dialog
        qint32 initialColor = 0;
    };

    std::optional<QString> openFile(const FileDialogRequest &request) override
    {
        requests.append({Kind::Open, request});
        return takeFile();
    }

    std::optional<QString> saveFile(const FileDialogRequest &request) override
    {
        requests.append({Kind::Save, request});
        return takeFile();
    }

    std::optional<QString> chooseFolder(const FileDialogRequest &request) override
    {
        requests.append({Kind::Folder, request});
        return takeFile();
    }

    std::optional<qint32> pickColor(qint32 initial) override
    {
        requests.append({Kind::Color, {}, initial});
        return colorAnswers.isEmpty() ? std::nullopt : colorAnswers.takeFirst();
    }

    // Each file or folder dialog takes the next answer; std::nullopt cancels.
    QList<std::optional<QString>> fileAnswers;
    QList<std::optional<qint32>> colorAnswers;
    QList<Request> requests;

private:
    std::optional<QString> takeFile()
    {
        return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.takeFirst();
    }
};
