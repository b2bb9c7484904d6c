#include "WmzCommand.h"

#include "packaging/clsZipWrapper.h"
#include "util/MessageSink.h"
#include "util/Paths.h"
#include "util/clsFunction.h"

using namespace Qt::StringLiterals;

namespace WmzCommand {

QString title()
{
    return u"WMZ作成"_s;
}

QString packSkinFile(clsZipWrapper &zip, MessageSink &messages, const QString &wmsPath)
{
    if (!zip.getZipUsable()) {
        messages.showMessage(u"ZIP32J.dllが見つかりません"_s, title(), MessageIcon::Information);
        return {};
    }
    if (zip.getZipVersionIsOld()) {
        messages.showMessage(u"古いバージョンのZIP32J.dllを使用しています\r\n"
                             u"新しいバージョンをゲットしてください"_s,
                             title(), MessageIcon::Information);
        return {};
    }
    const QString separator = Paths::separatorText();
    const QString name = clsFunction::getSeparatePath(separator, wmsPath, 1);
    const QString folder = clsFunction::getSeparatePath(separator, wmsPath, 0);
    const QString archive = zip.makeZipFile(name, folder);
    if (archive.isEmpty()) {
        messages.showMessage(u"WMZファイル作成に失敗しました"_s, title(), MessageIcon::Information);
        return {};
    }
    return Paths::join(folder, archive);
}

} // namespace WmzCommand
