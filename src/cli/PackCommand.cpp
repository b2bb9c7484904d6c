#include "CommandLine.h"
#include "Commands.h"
#include "Console.h"
#include "packaging/WmzCommand.h"
#include "packaging/clsZipWrapper.h"
#include "util/AppError.h"

#include <QFile>

using namespace Qt::StringLiterals;

// The editor's WMZ command without its dialog: the same packager, the same
// checks of the archiver and the same messages, on standard error.
int runPack(const QByteArrayList &files, const CommandOptions &, Console &console)
{
    // The archive is named after the skin file with its last letter made a
    // z: named after any other file, it would replace some other file.
    if (!QFile::decodeName(files.constFirst()).endsWith(u".wms"_s, Qt::CaseInsensitive)) {
        console.err() << u"velmora: "_s << terminalText(shownArgument(files.constFirst()))
                      << u": スキンファイル（.wms）を指定してください\n"_s;
        return CommandLine::Usage;
    }
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
