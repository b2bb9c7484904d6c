#include "CommandSkin.h"

#include "Commands.h"
#include "packaging/WmzUnpacker.h"
#include "util/MessageSink.h"

#include <QDir>
#include <QFile>
#include <dirent.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Qt removes only names it can spell, and an old archive's names unpack in
// windows-31j bytes; the folder holds files only (the unpacker makes no
// other), taken by their bytes.
void removeFolder(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    if (DIR *dir = ::opendir(path.constData())) {
        while (const dirent *entry = ::readdir(dir)) {
            if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0) {
                ::unlinkat(::dirfd(dir), entry->d_name, 0);
            }
        }
        ::closedir(dir);
    }
    ::rmdir(path.constData());
}

} // namespace

CommandSkin::~CommandSkin()
{
    if (m_folder && m_folder->isValid()) {
        removeFolder(m_folder->path());
    }
}

std::unique_ptr<CommandSkin> CommandSkin::open(const QString &path, MessageSink &messages)
{
    std::unique_ptr<CommandSkin> skin(new CommandSkin);
    if (!WmzUnpacker::isArchiveName(path)) {
        skin->m_wmsPath = path;
        return skin;
    }
    skin->m_archivePath = path;
    skin->m_folder = std::make_unique<QTemporaryDir>();
    skin->m_folder->setAutoRemove(false); // see removeFolder
    if (!skin->m_folder->isValid()) {
        messages.showMessage(
            u"一時フォルダを作れません：%1"_s.arg(QDir::toNativeSeparators(skin->m_folder->path())),
            WmzUnpacker::title(), MessageIcon::Exclamation);
        return nullptr;
    }
    const std::optional<QString> wms =
        WmzUnpacker::unpack(path, QDir::toNativeSeparators(skin->m_folder->path()), messages);
    if (!wms) {
        return nullptr;
    }
    skin->m_wmsPath = *wms;
    return skin;
}

QString CommandSkin::shown(const QString &text) const
{
    QString shownText = shownPath(text);
    if (m_folder) {
        shownText.replace(QDir::toNativeSeparators(m_folder->path()), shownPath(m_archivePath));
    }
    return shownText;
}
