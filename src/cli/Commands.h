#pragma once

#include "render/RenderOptions.h"

#include <QStringList>

class Console;

// The commands of the command line. Each takes its file arguments (already
// counted) and returns the exit status.
struct CommandOptions {
    bool json = false;
    // render: what the editor's preview can show besides the first look.
    Preview::RenderOptions render;
    bool outlines = false;
};

int runPack(const QStringList &arguments, const CommandOptions &options, Console &console);
int runCheck(const QStringList &arguments, const CommandOptions &options, Console &console);
int runRender(const QStringList &arguments, const CommandOptions &options, Console &console);

// The skin file an argument names, as a full native path; empty, with the
// reason on standard error, when it names no file.
QString skinFileArgument(const QString &argument, Console &console);
