#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

class QJsonObject;
class KeptPictures;
class clsFileControl;

// One thing that would make a skin fail in a player or in the editor's own
// save.
struct SkinFinding {
    enum class Kind {
        MissingImage,     // named but not there (or no name where one is needed)
        UndecodableImage, // there, but no picture can be made of it
        OutsideLink,      // a link leading out of the skin's folder: not read
        UnsafeName,       // a name no archive entry can safely have (value: why)
        UnknownSize,      // decodes, but its header does not tell its size
        PartlyOutside,    // the element reaches over the background's edge
        WhollyOutside,    // the element lies entirely off the background
        BadColour,        // a colour that is no #RRGGBB
        BadNumber,        // a place or size that is no whole number, or none where one is
                          // needed; a list value that names none of the list's entries
        NotPackable,      // a WMZ of the skin would pass an unpacking limit (value: the
                          // pack's own refusal)
    };

    Kind kind = Kind::MissingImage;
    qint16 slot = 0;   // the element's slot
    QString element;   // the element's tag, e.g. "playbutton"
    QString attribute; // image and value findings: the attribute concerned
    QString image;     // image findings: the image's full path, empty when none is named
    QString value;     // colour and number findings: the value as the file holds it;
                       // unsafe names: why the name is unsafe
    QRect place;       // placement findings: where the element lies
    QSize background;  // placement findings: the background's size

    // What is wrong, in the program's words: the one text of the editor's
    // tips and the command line. field names the value concerned (its
    // attribute, or the caption of the field that holds it); picture names
    // the picture (its path, or its file name).
    QString message(const QString &field, const QString &picture) const;
    // The same, with the attribute and the picture's file name.
    QString message() const;
    // One line for the command line: the element's tag (and a picture's
    // attribute), then the message naming the picture by its path.
    QString describe() const;
    // The same for scripts, with a stable code of its kind.
    QJsonObject toJson() const;
};

// Checks the skin held by a document that has just read it: the images of
// every element present, then each element's place on the background.
// kept: as for a rendering, pictures decoded before and unchanged since.
QList<SkinFinding> checkSkin(const clsFileControl &document, KeptPictures *kept = nullptr);

// What a pack of the skin file wmsPath would refuse because the program's
// own unpack would refuse the archive (too many files, one or all of them
// too large, a second WMS file), naming the limit; nothing when a pack
// passes those limits (its other refusals are findings of checkSkin).
std::optional<SkinFinding> packingFinding(const QString &wmsPath);

// What a check went over: the elements present (the theme aside) and the
// picture files they name, each counted once.
struct SkinSummary {
    int elements = 0;
    int pictures = 0;

    // The line that says a skin is sound, with how much was looked at.
    QString describe(const QString &skin) const;
};
SkinSummary summarizeSkin(const clsFileControl &document);
