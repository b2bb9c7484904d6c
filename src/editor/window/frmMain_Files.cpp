// The file commands: new, open, save, save as and exit, from the menu bar
// and from the side menu's file set.
#include "WmzOpener.h"
#include "document/clsFileControl.h"
#include "editor/history/EditHistory.h"
#include "editor/history/RecoveredWork.h"
#include "editor/history/Recovery.h"
#include "frmMain.h"
#include "util/AppError.h"
#include "util/DialogProvider.h"
#include "util/MessageSink.h"
#include "util/Paths.h"
#include "util/VersionInfo.h"
#include "windows/frmProgress.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSessionManager>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

const QString kDiscard = u"編集中の項目を破棄してもよろしいですか？"_s;
const QString kUnsaved = u"編集中の項目は保存されていません。保存しますか？"_s;
const QString kLeaveTitle = u"Velmoraの終了"_s;
const QString kRestoreTitle = u"編集内容の復元"_s;

// The product title as the build sets it; after it, while a file is being
// edited, " - " and the file's path.
QString captionFor(const QString &fileName)
{
    const QString title = VersionInfo::program().title;
    return fileName.isEmpty() ? title : title + u" - "_s + fileName;
}

// Which skin the work put back was and when it was last kept, as the
// question about it says: a recorded name that is no skin file a save could
// have written is said to be dropped.
QString restoreDetails(const QString &recorded, const std::optional<QString> &skinFile,
                       const QDateTime &kept)
{
    QString skin;
    if (skinFile) {
        skin = QDir::toNativeSeparators(*skinFile);
    } else if (recorded.isEmpty()) {
        skin = u"新規スキン"_s;
    } else {
        skin = u"新規スキン（記録されていた %1 はスキンファイルではないため、"
               u"保存するときに名前を付けます）"_s.arg(QDir::toNativeSeparators(recorded));
    }
    const QString time =
        QLocale(QLocale::Japanese, QLocale::Japan).toString(kept, QLocale::ShortFormat);
    return u"\r\n\r\nスキンファイル：%1\r\n記録した日時：%2"_s.arg(skin, time);
}

void showSaveFailure(MessageSink &messages)
{
    messages.showMessage(u"ファイルの保存に失敗しました"_s, u"ファイルの保存"_s,
                         MessageIcon::Exclamation);
}

} // namespace

void frmMain::connectFileCommands()
{
    connect(m_mnuFileNew, &QAction::triggered, this, &frmMain::mnuFileNew_Click);
    connect(m_mnuFileOpen, &QAction::triggered, this, &frmMain::mnuFileOpen_Click);
    connect(m_mnuFileSave, &QAction::triggered, this, &frmMain::mnuFileSave_Click);
    connect(m_mnuFileAnotherSave, &QAction::triggered, this, &frmMain::mnuFileAnotherSave_Click);
    connect(m_mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
}

void frmMain::mnuFileNew_Click()
{
    if (!m_messages.askYesNo(kDiscard, u"新規作成"_s)) {
        return;
    }
    if (!guarded([this] { newSkin(); })) {
        // The defaults always load; should one not, the fields keep what they
        // showed and the skin is still a new one.
        m_currentFileName.clear();
    }
    setWindowTitle(captionFor({}));
}

void frmMain::newSkin()
{
    {
        const EditHistory::Reload reload(*m_history);
        initAllElements();
        loadPanels();
    }
    redrawReplacedSkin();
    m_currentFileName.clear();
}

void frmMain::mnuFileOpen_Click()
{
    // Nothing more to say on a failure: the reader reports its own.
    guarded([this] { openSkin(); });
    if (!m_currentFileName.isEmpty()) {
        setWindowTitle(captionFor(m_currentFileName));
    }
}

// The open dialog starts beside the file being edited, with that file selected.
void frmMain::openSkin()
{
    const std::optional<QString> chosen =
        dialogs().openFile({kOpenFileTitle, WmzOpener::fileFilter(), m_currentFileName, QString()});
    if (!chosen || !m_messages.askYesNo(kDiscard, kOpenFileTitle)) {
        return;
    }
    if (const auto skin = WmzOpener(m_messages, dialogs(), this).skinFile(*chosen, skinsFolder())) {
        readSkinFile(*skin);
    }
}

// The confirmed part of Open: the document, the panels and the file name.
void frmMain::readSkinFile(const QString &path)
{
    initAllElements();
    if (!fileControl().readFile(path)) {
        return;
    }
    if (!guarded([this] {
            const EditHistory::Reload reload(*m_history);
            loadPanels();
        })) {
        // The reader took values the fields cannot show (a colour or a list
        // entry out of range). Half-filled panels under the file's name would
        // let the next Save overwrite a skin with part of it: start afresh.
        m_messages.showMessage(u"要素の取得に失敗しました"_s, kOpenFileTitle,
                               MessageIcon::Information);
        newSkin();
        setWindowTitle(captionFor({}));
        return;
    }
    m_currentFileName = path;
    redrawReplacedSkin();
}

// A skin file named from outside the editor (the command line, a drop) opens
// as a confirmed Open of it does; confirm asks first, as Open does.
void frmMain::openSkinFile(const QString &path, bool confirm)
{
    if (confirm && !m_messages.askYesNo(kDiscard, kOpenFileTitle)) {
        return;
    }
    // The name the caption and the next Save use is the full one. Nothing
    // more to say on a failure: the reader reports its own.
    guarded([this, &path] {
        const QString full = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
        if (const auto skin =
                WmzOpener(m_messages, dialogs(), this).skinFile(full, skinsFolder())) {
            readSkinFile(*skin);
        }
    });
    if (!m_currentFileName.isEmpty()) {
        setWindowTitle(captionFor(m_currentFileName));
    }
}

bool frmMain::offerRecovery()
{
    const Recovery::Search search = m_recovery->findLeftOver();
    if (!search.setAside.isEmpty()) {
        m_messages.showMessage(u"編集内容の記録ではないファイルがあったため、復元しませんでした。"
                               u"\r\nファイルは次の名前で残してあります："_s +
                                   u"\r\n"_s + search.setAside.join(u"\r\n"_s),
                               kRestoreTitle, MessageIcon::Exclamation);
    }
    if (!search.leftOver) {
        return false;
    }
    const Recovery::LeftOver &leftOver = *search.leftOver;
    const std::optional<QString> skinFile = RecoveredWork::skinFile(leftOver.fileName);
    if (!m_messages.askYesNo(u"前回、保存されていない編集内容を残したまま終了しました。"
                             u"\r\n編集内容を復元しますか？"_s +
                                 restoreDetails(leftOver.fileName, skinFile, leftOver.kept),
                             kRestoreTitle)) {
        Recovery::discard(leftOver);
        return false;
    }
    // The name first: the work put back is written at once under it.
    m_currentFileName = skinFile.value_or(QString());
    m_recovery->restore(leftOver);
    redrawReplacedSkin();
    setWindowTitle(captionFor(m_currentFileName));
    return true;
}

void frmMain::mnuFileSave_Click()
{
    if (m_currentFileName.isEmpty()) {
        mnuFileAnotherSave_Click();
        return;
    }
    const bool ran = guarded([this] {
        if (verifyAllFields()) {
            saveSkin(0);
        }
    });
    if (!ran) {
        showSaveFailure(m_messages);
    }
}

void frmMain::mnuFileAnotherSave_Click()
{
    const bool ran = guarded([this] {
        if (verifyAllFields()) {
            saveSkin(1);
        }
    });
    if (!ran) {
        showSaveFailure(m_messages);
    }
    if (!m_currentFileName.isEmpty()) {
        setWindowTitle(captionFor(m_currentFileName));
    }
}

void frmMain::mnuFileExit_Click()
{
    close();
}

bool frmMain::mayLeave()
{
    if (m_history->stack().isClean()) {
        return true;
    }
    switch (m_messages.askYesNoCancel(kUnsaved, kLeaveTitle)) {
    case Answer::No:
        return true;
    case Answer::Cancel:
        return false;
    case Answer::Yes:
        break;
    }
    // Only a save that went through leaves the panels as saved.
    mnuFileSave_Click();
    return m_history->stack().isClean();
}

// At log-out the question is asked only when the session lets the program
// wait for an answer; otherwise nothing is saved and nothing is asked.
void frmMain::commitSession(QSessionManager &manager)
{
    if (!manager.allowsInteraction()) {
        return;
    }
    if (!mayLeave()) {
        manager.cancel();
    }
    manager.release();
}

// The name follows the file only once it has been written: a failed save
// leaves the name, and so the caption and the next plain Save, as they were.
void frmMain::saveSkin(qint16 mode)
{
    const bool ran = guarded([this, mode] {
        if (!textsSurviveOrUserAgrees()) {
            return;
        }
        QString target = m_currentFileName;
        qint16 writeMode = mode;
        if (mode != 0) {
            const std::optional<QString> chosen =
                dialogs().saveFile({u"名前を付けてファイルを保存"_s, skinFileFilter(),
                                    skinsFolder(), u"新規スキン.wms"_s});
            if (!chosen) {
                return;
            }
            target = *chosen;
            // The user chose to replace an existing skin's own file: save
            // into its folder as a plain save does, not a folder inside it.
            if (clsFileControl::isSkinFolderFile(target)) {
                writeMode = 0;
            }
        }
        const QString written = clsFileControl::writtenFileName(target, writeMode);
        if (!imageLeavesSkinFileIntact(written) || !imagesKeepTheirNames(written)) {
            return;
        }
        savePanels();
        if (!fileControl().writeFile(target, writeMode)) {
            return;
        }
        m_currentFileName = fileControl().getFileName();
        if (!fileControl().copyImageFile(usedImagePaths(), m_currentFileName)) {
            return;
        }
        m_history->stack().setClean();
        frmProgress progress(this);
        progress.exec();
    });
    if (!ran) {
        showSaveFailure(m_messages);
    }
}

QString frmMain::skinFileFilter()
{
    return u"Windows Media Player スキンファイル (*.wms)"_s;
}

// The program's skins folder, unless the user cannot write there (an
// installed program's folder): then a skins folder of the user's own.
QString frmMain::skinsFolder() const
{
    const QString own = Paths::join(m_programFolder, u"skins"_s);
    const QFileInfo ownInfo(own);
    if (ownInfo.isDir() && ownInfo.isWritable()) {
        return own;
    }
    const QString perUser =
        Paths::join(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), u"skins"_s);
    QDir().mkpath(perUser);
    return perUser;
}
