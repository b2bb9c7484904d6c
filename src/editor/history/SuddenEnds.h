#pragma once

class QWidget;

// The ends of the program that nobody chose in it: SIGTERM, SIGHUP and
// SIGINT (a log-out, a shutdown, a closed terminal, Ctrl+C in the terminal
// it was started from), the loss of the display (SIGPIPE
// on its connection, or the window system's exit()), and the main window
// destroyed from outside. Each writes the live recovery file at
// once, then the program ends.
namespace SuddenEnds {

// Once per process; the signals then end it as they would have.
void install();
// A main window destroyed from outside ends the program.
void watchWindow(QWidget &window);

} // namespace SuddenEnds
