#pragma once

#include "packaging/UnpackTarget.h"

#include <QString>
#include <optional>

class DialogProvider;
class MessageSink;
class QWidget;

// Opening a WMZ file where a skin file can be opened: the user picks the
// folder to unpack into, starting on a new folder named after the archive
// beside it, and the WMS file unpacked there is what the editor then reads.
class WmzOpener {
public:
    // owner: the window the progress of a long unpack is shown over.
    WmzOpener(MessageSink &messages, DialogProvider &dialogs, QWidget *owner)
        : m_messages(messages), m_dialogs(dialogs), m_owner(owner)
    {
    }

    // The open dialog's types: skin files, WMZ files among them.
    static QString fileFilter();

    // The skin file to read for path (a full path): path itself unless it
    // names a WMZ file; for one, the WMS file it holds, unpacked. Nothing when
    // the user cancelled or the archive was refused, after telling why.
    // skinsFolder is where the proposed folder goes when the archive's own
    // folder takes no new one.
    std::optional<QString> skinFile(const QString &path, const QString &skinsFolder);

private:
    // Unpacks into folder behind a progress window; nothing when refused,
    // failed (after saying why) or cancelled.
    std::optional<QString> unpack(const QString &archive, const QString &folder,
                                  UnpackTarget::Folder rule);

    MessageSink &m_messages;
    DialogProvider &m_dialogs;
    QWidget *m_owner;
};
