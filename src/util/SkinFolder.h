#pragma once

#include <QString>

class QFile;

// A skin's pictures lie in its folder. One that is a link to a file
// elsewhere would carry that file into what the skin shows or shares (a
// rendering, a WMZ), so the packer, the check, the renderer and the editor's
// preview all refuse it by this one rule.
namespace SkinFolder {

// Whether path, a file of folder, is a link leading out of folder, or to nothing.
bool linksOutside(const QString &path, const QString &folder);
// The same where folder is the one that holds path, as a skin's picture lies
// in the skin's folder.
bool linksOutside(const QString &path);

// Whether file, just opened through path, lies outside the folder that
// holds path. Judged by the open file itself where the system tells where
// that is, so a link swapped in after the name was looked at is caught too.
bool openedOutside(const QFile &file, const QString &path);

// Why such a picture is not read, for a message that names it.
QString refusalText();

} // namespace SkinFolder
