#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

class MessageSink;

// The skin a command works on: a WMS file as given, or the one a WMZ file
// holds, unpacked into a temporary folder of its own that is removed with
// this object, however the command ends.
class CommandSkin {
public:
    // path: a full path, a WMS or a WMZ file. Nothing, after telling messages
    // why, when a WMZ file cannot be unpacked.
    static std::unique_ptr<CommandSkin> open(const QString &path, MessageSink &messages);
    ~CommandSkin();
    CommandSkin(const CommandSkin &) = delete;
    CommandSkin &operator=(const CommandSkin &) = delete;

    // The WMS file to read.
    const QString &wmsPath() const { return m_wmsPath; }
    // A text as messages show it: what lies in the temporary folder is named
    // as inside the archive ("skin.wmz/skin.wms").
    QString shown(const QString &text) const;

private:
    CommandSkin() = default;

    QString m_wmsPath;
    QString m_archivePath;
    std::unique_ptr<QTemporaryDir> m_folder;
};
