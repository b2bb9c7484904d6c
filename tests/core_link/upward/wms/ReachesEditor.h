#pragma once

// The core reaching into the editor: what the role check refuses.
#include "editor/panels/LayoutTables.h"
