#include "CommandSkin.h"

#include "Commands.h"
#include "packaging/WmzUnpacker.h"
#include "util/MessageSink.h"

#include <QDir>

using namespace Qt::StringLiterals;

std::unique_ptr<CommandSkin> CommandSkin::open(const QString &path, MessageSink &messages)
{
    std::unique_ptr<CommandSkin> skin(new CommandSkin);
    if (!WmzUnpacker::isArchiveName(path)) {
        skin->m_wmsPath = path;
        return skin;
    }
    skin->m_archivePath = path;
    skin->m_folder = std::make_unique<QTemporaryDir>();
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
