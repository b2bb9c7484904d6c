#pragma once

#include <QtGlobal>

// The window on whose behalf the packager runs. The main window implements it,
// so the core never needs a widget header.
class OwnerWindow {
public:
    virtual ~OwnerWindow();

    virtual quintptr windowHandle() const = 0;
};
