#include "WmzOpener.h"

#include "UnpackProgress.h"
#include "packaging/WmzUnpacker.h"
#include "util/DialogProvider.h"
#include "util/Interrupt.h"
#include "util/Paths.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// The folder the dialog starts on, made for it when missing; made says so,
// so that it can go again when it is not used.
QString proposedFolder(const QString &archive, const QString &skinsFolder, bool *made)
{
    // A new or empty folder, never a link nor one holding files.
    const QString beside = WmzUnpacker::newFolderFor(archive);
    const QString inSkins =
        WmzUnpacker::newFolderFor(Paths::join(skinsFolder, QFileInfo(archive).fileName()));
    for (const QString &folder : {beside, inSkins}) {
        if (folder.isEmpty()) {
            continue;
        }
        if (QFileInfo(folder).isDir()) {
            *made = false;
            return folder;
        }
        if (QDir().mkdir(folder)) {
            *made = true;
            return folder;
        }
    }
    *made = false;
    return skinsFolder;
}

bool sameFolder(const QString &a, const QString &b)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(a)) ==
           QDir::cleanPath(QDir::fromNativeSeparators(b));
}

} // namespace

QString WmzOpener::fileFilter()
{
    return u"Windows Media Player スキンファイル (*.wms *.wmz);;"
           u"WMS スキンファイル (*.wms);;WMZ スキンパッケージ (*.wmz)"_s;
}

std::optional<QString> WmzOpener::skinFile(const QString &path, const QString &skinsFolder)
{
    if (!WmzUnpacker::isArchiveName(path)) {
        return path;
    }
    bool made = false;
    const QString proposed = proposedFolder(path, skinsFolder, &made);
    // Only an empty folder goes: rmdir leaves one that has files.
    const auto dropProposed = [&] {
        if (made) {
            QDir().rmdir(proposed);
        }
    };
    const std::optional<QString> chosen =
        m_dialogs.chooseFolder({u"展開先のフォルダを選択"_s, QString(), proposed, QString()});
    if (!chosen) {
        dropProposed();
        return std::nullopt;
    }
    // The skins folder itself is offered only when no new folder could be.
    const bool keptProposed = sameFolder(*chosen, proposed) && !sameFolder(proposed, skinsFolder);
    if (!sameFolder(*chosen, proposed)) {
        dropProposed();
    }
    // The proposal must still be new or empty: something may have taken its
    // place while the dialog was open.
    const std::optional<QString> wms =
        unpack(path, QDir::toNativeSeparators(*chosen),
               keptProposed ? UnpackTarget::Folder::NewOrEmpty : UnpackTarget::Folder::Any);
    if (!wms) {
        dropProposed();
    }
    // A signal that came while the unpack ran ends the program now that
    // nothing of it is left.
    Interrupt::endAsAsked();
    return wms;
}

std::optional<QString> WmzOpener::unpack(const QString &archive, const QString &folder,
                                         UnpackTarget::Folder rule)
{
    std::optional<QString> wms;
    {
        // A signal to end the program waits until the unpack has taken back
        // what it made.
        const Interrupt::Hold hold;
        const std::unique_ptr<WmzUnpacker::Unpack> job =
            WmzUnpacker::Unpack::prepare(archive, folder, m_messages, rule);
        if (job) {
            const UnpackProgress::Outcome outcome = UnpackProgress::copy(*job, archive, m_owner);
            // Cancelled, or stopped by a signal that ends the program at
            // once: what was made goes without a word.
            if (outcome == UnpackProgress::Outcome::Cancelled || Interrupt::requested()) {
                job->abandon();
            } else {
                wms = job->finish(outcome == UnpackProgress::Outcome::Copied, m_messages);
            }
        }
    }
    return wms;
}
