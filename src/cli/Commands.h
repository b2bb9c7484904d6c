#pragma once

#include "render/RenderOptions.h"

#include <QByteArrayList>
#include <QString>
#include <optional>

class Console;

// The commands of the command line. Each takes its file arguments (already
// counted, as the bytes the system gave) and returns the exit status.
struct CommandOptions {
    bool json = false;
    // render: what the editor's preview can show besides the first look.
    Preview::RenderOptions render;
    bool outlines = false;
    // render: a picture left out is a failure, not a warning.
    bool strict = false;
};

int runPack(const QByteArrayList &files, const CommandOptions &options, Console &console);
int runCheck(const QByteArrayList &files, const CommandOptions &options, Console &console);
int runUnpack(const QByteArrayList &files, const CommandOptions &options, Console &console);
int runRender(const QByteArrayList &files, const CommandOptions &options, Console &console);

// A file argument as messages show it.
QString shownArgument(const QByteArray &argument);
// A text as messages show it: each folder reached through a descriptor by
// the argument that named it.
QString shownPath(const QString &text);
// The full native path by which the program reaches what a file argument
// names, whether or not it exists. Bytes that are no UTF-8 are taken as the
// system gave them: a name as windows-31j (the files of old skins' archives),
// a folder through a descriptor of it. Nothing, with the reason on standard
// error, when the bytes cannot name a file or the current folder is unknown.
// A file to be written takes its name in UTF-8 only: a name read as
// windows-31j would be written in other bytes than those given.
enum class FileUse { Read, Written };
std::optional<QString> fileArgumentPath(const QByteArray &argument, FileUse use, Console &console);
// The same for a folder: nothing when the argument names no folder.
std::optional<QString> folderArgumentPath(const QByteArray &argument, Console &console);
// The same for the skin file, which must be a regular file that can be read;
// empty, with the reason on standard error, otherwise.
QString skinFileArgument(const QByteArray &argument, Console &console);
