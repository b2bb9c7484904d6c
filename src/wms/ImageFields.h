#pragma once

#include <QStringList>

// The window whose image fields a save copies into the skin folder. The main
// window implements it, so the core never needs a widget header.
class ImageFields {
public:
    virtual ~ImageFields();

    // The texts of the image fields the saved skin uses, in the window's
    // field order. Titles and other texts never take part.
    virtual QStringList imagePaths() const = 0;
};
