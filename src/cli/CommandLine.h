#pragma once

#include <QStringList>

// The program's command line. Without arguments, or with one skin file, the
// program is the editor; anything else is a command that needs no display.
namespace CommandLine {

enum ExitCode : int { Success = 0, Failure = 1, Usage = 2 };

// The arguments as the program received them, program name first.
QStringList rawArguments(int argc, char **argv);
bool startsEditor(const QStringList &arguments);

// The name, version and copyright the build was given, for the application object.
void setApplicationIdentity();

// Runs a command with an application object of its own (no widgets) and
// returns the exit status.
int run(int &argc, char **argv);

} // namespace CommandLine
