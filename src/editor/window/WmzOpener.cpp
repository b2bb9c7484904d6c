#include "WmzOpener.h"

#include "packaging/WmzUnpacker.h"
#include "util/DialogProvider.h"
#include "util/Paths.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// The folder the dialog starts on, made for it when missing; made says so,
// so that it can go again when it is not used.
QString proposedFolder(const QString &archive, const QString &skinsFolder, bool *made)
{
    const QString beside = WmzUnpacker::folderFor(archive);
    const QString inSkins = Paths::join(skinsFolder, QFileInfo(beside).fileName());
    for (const QString &folder : {beside, inSkins}) {
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
    if (!sameFolder(*chosen, proposed)) {
        dropProposed();
    }
    const std::optional<QString> wms =
        WmzUnpacker::unpack(path, QDir::toNativeSeparators(*chosen), m_messages);
    if (!wms) {
        dropProposed();
    }
    return wms;
}
