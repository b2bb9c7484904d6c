#include "CommandLine.h"
#include "Commands.h"
#include "Console.h"
#include "packaging/WmzCommand.h"
#include "packaging/clsZipWrapper.h"
#include "util/AppError.h"

// The editor's WMZ command without its dialog: the same packager, the same
// checks of the archiver and the same messages, on standard error.
int runPack(const QByteArrayList &files, const CommandOptions &, Console &console)
{
    const QString wmsPath = skinFileArgument(files.constFirst(), console);
    if (wmsPath.isEmpty()) {
        return CommandLine::Failure;
    }
    ConsoleMessageSink messages(console.err());
    clsZipWrapper packager(messages);
    try {
        const QString archive = WmzCommand::packSkinFile(packager, messages, wmsPath);
        if (archive.isEmpty()) {
            return CommandLine::Failure;
        }
        console.out() << terminalText(shownPath(archive)) << u'\n';
        return CommandLine::Success;
    } catch (const AppError &) {
        return CommandLine::Failure; // a full path always has a folder
    }
}
