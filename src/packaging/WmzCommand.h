#pragma once

#include <QString>

class MessageSink;
class clsZipWrapper;

// What the WMZ command does once a skin file is chosen, for the editor's menu
// and the command line alike.
namespace WmzCommand {

// The title of the command's messages.
QString title();

// Refuses a missing or old archiver, then packs the skin file wmsPath (a full
// native path) into its WMZ file beside it. Returns the WMZ file's full path;
// empty when nothing was packed, after telling the user why. Throws AppError
// for a path without a folder.
QString packSkinFile(clsZipWrapper &zip, MessageSink &messages, const QString &wmsPath);

} // namespace WmzCommand
