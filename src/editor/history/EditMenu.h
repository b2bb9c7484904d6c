#pragma once

#include <utility>

class QAction;
class QMenu;
class QUndoStack;

// Fills the Edit menu with undo and redo of the stack: each names the step it
// would take ("元に戻す: PLAYボタンのLEFTの変更"), is greyed when there is
// none, and has its shortcuts (Ctrl+Z; Ctrl+Y and Ctrl+Shift+Z) wherever the
// window has focus. Gives the undo and the redo action.
std::pair<QAction *, QAction *> fillEditMenu(QMenu &menu, QUndoStack &stack);
