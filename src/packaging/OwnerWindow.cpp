#include "OwnerWindow.h"

OwnerWindow::~OwnerWindow() = default;
