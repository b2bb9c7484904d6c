#include "CommandLine.h"
#include "Commands.h"
#include "Console.h"
#include "packaging/WmzUnpacker.h"

using namespace Qt::StringLiterals;

namespace {

// No one is there to answer: files already in the folder stay, and the
// user is told how to go on.
class KeepingMessageSink : public ConsoleMessageSink {
public:
    using ConsoleMessageSink::ConsoleMessageSink;

    bool askYesNo(const QString &text, const QString &title) override
    {
        showMessage(text + u"\r\n置き換えずに終わりました。別のフォルダを指定してください"_s, title,
                    MessageIcon::Exclamation);
        return false;
    }
};

} // namespace

// Unpacks a WMZ file as the editor's Open of one does, into the folder given
// or the one named after the archive beside it, and prints the path of the
// WMS file unpacked. Files already there are kept.
int runUnpack(const QByteArrayList &files, const CommandOptions &, Console &console)
{
    const QString archive = skinFileArgument(files.constFirst(), console);
    if (archive.isEmpty()) {
        return CommandLine::Failure;
    }
    // A folder the program picks is a new or empty one; one the user names
    // is theirs to choose.
    QString folder = WmzUnpacker::newFolderFor(archive);
    UnpackTarget::Folder rule = UnpackTarget::Folder::NewOrEmpty;
    if (files.size() > 1) {
        const std::optional<QString> given =
            fileArgumentPath(files.at(1), FileUse::Written, console);
        if (!given) {
            return CommandLine::Failure;
        }
        folder = *given;
        rule = UnpackTarget::Folder::Any;
    }
    KeepingMessageSink messages(console.err());
    if (folder.isEmpty()) {
        messages.showMessage(
            u"展開先の新しいフォルダを決められません。展開先のフォルダを指定してください：%1"_s.arg(
                WmzUnpacker::folderFor(archive)),
            WmzUnpacker::title(), MessageIcon::Exclamation);
        return CommandLine::Failure;
    }
    const std::optional<QString> wms = WmzUnpacker::unpack(archive, folder, messages, rule);
    if (!wms) {
        return CommandLine::Failure;
    }
    console.out() << terminalText(shownPath(*wms)) << u'\n';
    return CommandLine::Success;
}
