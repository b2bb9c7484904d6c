// The commands that lead out of the editing work: packing a skin file into a
// WMZ, the help and the version window.
#include "HelpOpener.h"
#include "frmMain.h"
#include "packaging/clsZipWrapper.h"
#include "util/DialogProvider.h"
#include "util/MessageSink.h"
#include "util/Paths.h"
#include "util/clsFunction.h"
#include "windows/frmVersionInfo.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

const QString kWmzTitle = u"WMZ作成"_s;

} // namespace

void frmMain::connectCommands()
{
    connect(mnuFileWmz, &QAction::triggered, this, &frmMain::mnuFileWmz_Click);
    connect(mnuHelpOpen, &QAction::triggered, this, &frmMain::mnuHelpOpen_Click);
    connect(mnuHelpVersion, &QAction::triggered, this, &frmMain::mnuHelpVersion_Click);
}

HelpOpener &frmMain::helpOpener()
{
    if (!m_helpOpener) {
        m_desktopHelpOpener = makeDesktopHelpOpener();
        m_helpOpener = m_desktopHelpOpener.get();
    }
    return *m_helpOpener;
}

// Packs the skin file the user picks, as saved: the panels are neither read
// nor checked. Cancelling, and any failure of its own, end it silently.
void frmMain::mnuFileWmz_Click()
{
    try {
        // A new skin has no file yet; its skins are kept in skins/.
        const QString start =
            currentFileName.isEmpty() ? Paths::join(m_programFolder, u"skins"_s) : currentFileName;
        const std::optional<QString> chosen = dialogs().openFile(
            {u"ファイルを開く"_s, u"Windows Media Player スキンファイル (*.wms)"_s, start, {}});
        if (!chosen) {
            return;
        }
        clsZipWrapper &zip = zipWrapper();
        if (!zip.getZipUsable()) {
            m_messages.showMessage(u"ZIP32J.dllが見つかりません"_s, kWmzTitle,
                                   MessageIcon::Information);
            return;
        }
        if (zip.getZipVersionIsOld()) {
            m_messages.showMessage(u"古いバージョンのZIP32J.dllを使用しています\r\n"
                                   u"新しいバージョンをゲットしてください"_s,
                                   kWmzTitle, MessageIcon::Information);
            return;
        }
        const QString path = QDir::toNativeSeparators(*chosen);
        const QString separator = Paths::separatorText();
        const QString name = clsFunction::getSeparatePath(separator, path, 1);
        const QString folder = clsFunction::getSeparatePath(separator, path, 0);
        const bool made = !zip.makeZipFile(&ownerWindow(), name, folder).isEmpty();
        m_messages.showMessage(made ? u"WMZファイルを作成しました\r\n"_s
                                    : u"WMZファイル作成に失敗しました"_s,
                               kWmzTitle, MessageIcon::Information);
    } catch (...) {
        // Any other failure ends the command without a message.
    }
}

// Opens Velmora.chm from the program's folder, whatever the current folder;
// a desktop without a viewer for it gets the same pages as HTML. Missing help
// shows nothing.
void frmMain::mnuHelpOpen_Click()
{
    try {
        const QDir program(m_programFolder);
        const QString chm = program.absoluteFilePath(u"Velmora.chm"_s);
        HelpOpener &opener = helpOpener();
        if (QFileInfo(chm).isFile() && opener.hasViewerFor(chm) && opener.open(chm)) {
            return;
        }
        const QString pages = program.absoluteFilePath(u"help/index.html"_s);
        if (QFileInfo(pages).isFile()) {
            opener.open(pages);
        }
    } catch (...) {
        // The help is a convenience; failing to show it shows nothing.
    }
}

// A fresh window for every showing, released when it closes.
void frmMain::mnuHelpVersion_Click()
{
    try {
        frmVersionInfo window(this);
        window.exec();
    } catch (...) {
        // Nothing to report: the window simply does not show.
    }
}
