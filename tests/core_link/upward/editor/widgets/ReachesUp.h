#pragma once

// A widget that reaches up to the main window: what the role check refuses.
#include "editor/window/frmMain.h"
