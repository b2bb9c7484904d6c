// The commands that lead out of the editing work: packing a skin file into a
// WMZ, the help and the version window.
#include "editor/platform/HelpOpener.h"
#include "frmMain.h"
#include "packaging/WmzCommand.h"
#include "util/AppError.h"
#include "util/DialogProvider.h"
#include "util/MessageSink.h"
#include "windows/frmVersionInfo.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

void frmMain::connectCommands()
{
    connect(m_mnuFileWmz, &QAction::triggered, this, &frmMain::mnuFileWmz_Click);
    connect(m_mnuHelpOpen, &QAction::triggered, this, &frmMain::mnuHelpOpen_Click);
    connect(m_mnuHelpVersion, &QAction::triggered, this, &frmMain::mnuHelpVersion_Click);
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
    // Any failure of its own ends the command without a message.
    guarded([this] {
        // A new skin has no file yet; skins are saved in the skins folder.
        const QString start = m_currentFileName.isEmpty() ? skinsFolder() : m_currentFileName;
        const std::optional<QString> chosen =
            dialogs().openFile({kOpenFileTitle, skinFileFilter(), start, {}});
        if (!chosen) {
            return;
        }
        const QString archive =
            WmzCommand::packSkinFile(zipWrapper(), m_messages, QDir::toNativeSeparators(*chosen));
        if (!archive.isEmpty()) {
            m_messages.showMessage(u"WMZファイルを作成しました\r\n"_s, WmzCommand::title(),
                                   MessageIcon::Information);
        }
    });
}

// Opens Velmora.chm from the program's folder, whatever the current folder;
// a desktop without a viewer for it gets the same pages as HTML. Missing help
// shows nothing; help that is there but that nothing on the desktop opens
// (no viewer, no browser, no launcher) is named, for the user to open.
void frmMain::mnuHelpOpen_Click()
{
    guarded([this] {
        const QDir program(m_programFolder);
        const QString chm = program.absoluteFilePath(u"Velmora.chm"_s);
        HelpOpener &opener = helpOpener();
        const bool chmThere = QFileInfo(chm).isFile();
        if (chmThere && opener.hasViewerFor(chm) && opener.open(chm)) {
            return;
        }
        const QString pages = program.absoluteFilePath(u"help/index.html"_s);
        const bool pagesThere = QFileInfo(pages).isFile();
        if (pagesThere && opener.open(pages)) {
            return;
        }
        // The pages first: any web browser shows them.
        QStringList there;
        if (pagesThere) {
            there.append(QDir::toNativeSeparators(pages));
        }
        if (chmThere) {
            there.append(QDir::toNativeSeparators(chm));
        }
        if (!there.isEmpty()) {
            m_messages.showMessage(u"ヘルプを開けませんでした。ヘルプを表示できるアプリケーションが"
                                   u"見つかりません。\r\nヘルプは次のファイルです：\r\n"_s +
                                       there.join(u"\r\n"_s),
                                   u"ヘルプを開く"_s, MessageIcon::Information);
        }
    });
}

// A fresh window for every showing, released when it closes; one that
// cannot be made simply does not show.
void frmMain::mnuHelpVersion_Click()
{
    guarded([this] {
        frmVersionInfo window(this);
        window.exec();
    });
}
