#pragma once

#include <QString>
#include <memory>

// How the editor hands a help file to the desktop. The desktop's own services
// answer in the program; tests record what would have been opened.
class HelpOpener {
public:
    virtual ~HelpOpener() = default;

    // False when the desktop is known to have no application for this kind of
    // file; true when it has one or cannot tell.
    virtual bool hasViewerFor(const QString &path) = 0;
    // Opens the file with the desktop's application for it, without waiting
    // for it; false when that could not be started.
    virtual bool open(const QString &path) = 0;
};

// Opens files through the desktop's launcher (xdg-open, else QDesktopServices)
// and asks the desktop's MIME settings whether a viewer exists.
std::unique_ptr<HelpOpener> makeDesktopHelpOpener();
