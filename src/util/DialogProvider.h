#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// What a file dialog shows when it opens.
struct FileDialogRequest {
    QString title;
    QString filter;      // "description (*.ext)"
    QString initialPath; // a folder, or a file whose folder to start in and which to select
    QString fileName;    // name proposed in the name box; may be empty
};

// How the editor asks the user for a file or a colour. The windows answer
// with the platform's dialogs; tests script the answers. An empty result
// means the user cancelled, which callers treat as its own outcome.
class DialogProvider {
public:
    virtual ~DialogProvider() = default;

    // An existing file to open.
    virtual std::optional<QString> openFile(const FileDialogRequest &request) = 0;
    // A file to save to; the dialog itself asks before an existing file is
    // overwritten.
    virtual std::optional<QString> saveFile(const FileDialogRequest &request) = 0;
    // A folder to put files in. The dialog starts on initialPath, which may
    // be a folder made for the question, and may also offer making others.
    virtual std::optional<QString> chooseFolder(const FileDialogRequest &request) = 0;
    // Colours are window colour values, 0x00BBGGRR, as the swatches hold them.
    virtual std::optional<qint32> pickColor(qint32 initial) = 0;
};
