#include "frmFileOpendlg.h"

#include "DriveListBox.h"
#include "FileListBox.h"
#include "FolderListBox.h"
#include "PicturePreview.h"
#include "util/AppError.h"
#include "util/MessageSink.h"
#include "util/Paths.h"
#include "util/Twips.h"
#include "util/clsFunction.h"

#include <QDir>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace {

const QString kPattern = u"*.bmp;*.gif;*.jpg;*.jpeg"_s;
constexpr int kClientWidth = 8685;
constexpr int kClientHeight = 4590;
constexpr QSize kFolderPictureSize(16, 16);

// Where each control sits, in twips, relative to the dialog or to the frame
// fraFileOpen(frame).
struct PlaceRow {
    int frame; // -1: the dialog itself
    QRect box;
};
constexpr PlaceRow kFrame0{-1, {2985, 135, 3930, 4290}};
constexpr PlaceRow kFrame1{-1, {120, 135, 2790, 4290}};
constexpr PlaceRow kFileList{1, {75, 240, 2595, 1710}};
constexpr PlaceRow kFolderList{1, {75, 2025, 2595, 1770}};
constexpr PlaceRow kDriveList{1, {75, 3885, 2595, 300}};
constexpr PlaceRow kPreviewBox{0, {90, 225, 3750, 3960}};
constexpr std::array<PlaceRow, 3> kButtons{{
    {-1, {7050, 240, 1500, 315}},
    {-1, {7050, 645, 1500, 345}},
    {-1, {7050, 1155, 375, 315}},
}};
constexpr std::array<QStringView, 3> kButtonCaptions{u"開く", u"キャンセル", {}};

} // namespace

frmFileOpendlg::frmFileOpendlg(MessageSink &messages, QString programFolder, QWidget *parent)
    : QDialog(parent), m_messages(messages), m_programFolder(std::move(programFolder))
{
    setObjectName(u"frmFileOpendlg"_s);
    setWindowTitle(kOpenFileTitle);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon());
    // The chooser speaks in the font of the window that owns it.
    setAttribute(Qt::WA_WindowPropagation);
    if (parent) {
        setFont(parent->font());
    }
    setModal(true);
    setFixedSize(Twips::toPixels(kClientWidth), Twips::toPixels(kClientHeight));
    buildWindow();
}

frmFileOpendlg::~frmFileOpendlg() = default;

void frmFileOpendlg::buildWindow()
{
    const auto place = [this](QWidget *widget, const PlaceRow &row, QString name) {
        widget->setObjectName(std::move(name));
        widget->setParent(row.frame < 0 ? static_cast<QWidget *>(this)
                                        : fraFileOpen.at(static_cast<std::size_t>(row.frame)));
        widget->setGeometry(Twips::toPixels(row.box));
    };
    fraFileOpen[0] = new QGroupBox(u"プレビュー："_s);
    place(fraFileOpen[0], kFrame0, u"fraFileOpen_0"_s);
    fraFileOpen[1] = new QGroupBox(u"ファイル選択："_s);
    place(fraFileOpen[1], kFrame1, u"fraFileOpen_1"_s);
    filFile = new FileListBox;
    place(filFile, kFileList, u"filFile"_s);
    dirDirectry = new FolderListBox;
    place(dirDirectry, kFolderList, u"dirDirectry"_s);
    drvDrive = new DriveListBox;
    place(drvDrive, kDriveList, u"drvDrive"_s);

    Picture1 = new QFrame;
    place(Picture1, kPreviewBox, u"Picture1"_s);
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    imgImage = new QLabel(Picture1);
    imgImage->setObjectName(u"imgImage"_s);
    imgImage->move(Picture1->contentsRect().topLeft());
    imgImage->resize(0, 0);

    for (std::size_t i = 0; i < cmdOpen.size(); ++i) {
        cmdOpen[i] = new QPushButton(kButtonCaptions[i].toString());
        place(cmdOpen[i], kButtons[i], u"cmdOpen_%1"_s.arg(i));
        connect(cmdOpen[i], &QPushButton::clicked, this,
                [this, i] { cmdOpen_Click(static_cast<int>(i)); });
    }
    cmdOpen[2]->setIcon(QIcon(u":/pictures/folder.png"_s));
    cmdOpen[2]->setIconSize(kFolderPictureSize);
    cmdOpen[2]->setToolTip(u"サンプルフォルダに移動"_s);

    const std::array<QWidget *, 9> tabOrder{cmdOpen[0],     cmdOpen[1], fraFileOpen[0],
                                            fraFileOpen[1], filFile,    dirDirectry,
                                            drvDrive,       Picture1,   cmdOpen[2]};
    // Frames and the preview box take no focus; the keys pass over them.
    QWidget *previous = nullptr;
    for (QWidget *widget : tabOrder) {
        if (widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }

    connect(drvDrive, &DriveListBox::driveChanged, this, [this] { drvDrive_Change(); });
    connect(dirDirectry, &FolderListBox::pathChanged, this,
            [this] { guarded([this] { dirDirectry_Change(); }); });
    connect(filFile, &FileListBox::fileClicked, this, [this] { filFile_Click(); });
    connect(filFile, &FileListBox::fileChosen, this, [this] { cmdOpen_Click(0); });
}

QString frmFileOpendlg::getPathPart(const QString &path, int part)
{
    if (part == 1) {
        return DriveListBox::volumeOf(path, DriveListBox::mountedVolumeRoots());
    }
    const QString folder = clsFunction::getSeparatePath(Paths::separatorText(), path, 2);
    // The folder of a file in the root folder is the root itself.
    return folder.isEmpty() && path.startsWith(Paths::separator()) ? Paths::separatorText()
                                                                   : folder;
}

void frmFileOpendlg::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        Form_Activate();
    }
    QDialog::showEvent(event);
}

void frmFileOpendlg::keyPressEvent(QKeyEvent *event)
{
    // Escape leaves the chooser as its cancel button does, reporting the
    // path it was given; only the close box leaves without a report.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOpen_Click(1);
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmFileOpendlg::Form_Activate()
{
    // Each showing starts from fresh controls: no preview, no file selected.
    imgImage->clear();
    imgImage->resize(0, 0);
    filFile->setPattern(kPattern);
    drvDrive->setVolumes(DriveListBox::mountedVolumeRoots());
    try {
        if (!selectedPath.isEmpty()) {
            showFolder(getPathPart(selectedPath, 1), getPathPart(selectedPath, 2));
        } else {
            showFolder(programDrive(), sampleFolder());
        }
    } catch (const AppError &) {
        // A path that leads nowhere opens the program's folder, without a word.
        guarded([this] { showFolder(programDrive(), m_programFolder); });
    }
}

void frmFileOpendlg::showFolder(const QString &root, const QString &folder)
{
    const QString previousDrive = drvDrive->drive();
    drvDrive->setDrive(root);
    try {
        dirDirectry->setPath(folder, root);
    } catch (const AppError &) {
        if (!previousDrive.isEmpty()) {
            drvDrive->setDrive(previousDrive);
        }
        throw;
    }
    dirDirectry_Change();
}

void frmFileOpendlg::drvDrive_Change()
{
    const QString root = drvDrive->drive();
    const QString previousDrive = dirDirectry->root();
    for (const QString &folder : {m_folderOnDrive.value(root, root), root}) {
        try {
            dirDirectry->setPath(folder, root);
            guarded([this] { dirDirectry_Change(); });
            return;
        } catch (const AppError &) {
            // The folder last shown there may be gone: try the volume's root.
        }
    }
    m_messages.showMessage(u"ディスクが準備されていません\r\nディスクを挿入してください"_s,
                           u"ディスクエラー"_s, MessageIcon::Information);
    guarded([this, &previousDrive] { drvDrive->setDrive(previousDrive); });
}

void frmFileOpendlg::dirDirectry_Change()
{
    filFile->setPath(QDir::toNativeSeparators(dirDirectry->path()));
    m_folderOnDrive.insert(dirDirectry->root(), dirDirectry->path());
}

void frmFileOpendlg::filFile_Click()
{
    const QString name = filFile->fileName();
    if (name.isEmpty()) {
        return;
    }
    const PicturePreview preview =
        loadPicturePreview(Paths::join(filFile->path(), name), Picture1->contentsRect().size());
    const QString title = u"画像ファイル選択"_s;
    switch (preview.status) {
    case PicturePreview::Status::Shown:
        imgImage->setPixmap(QPixmap::fromImage(preview.image));
        imgImage->resize(preview.image.size());
        break;
    case PicturePreview::Status::Missing:
        m_messages.showMessage(u"画像ファイルが見つかりません"_s, title, MessageIcon::Information);
        break;
    case PicturePreview::Status::Unreadable:
        m_messages.showMessage(
            u"不正な画像ファイルのため読み込めません\r\n他の画像ファイルを選択してください"_s,
            title, MessageIcon::Information);
        break;
    case PicturePreview::Status::Failed:
        break;
    }
}

void frmFileOpendlg::cmdOpen_Click(int Index)
{
    switch (Index) {
    case 0: {
        const QString name = filFile->fileName();
        if (name.isEmpty()) {
            m_messages.showMessage(u"ファイルを指定してください"_s, kOpenFileTitle,
                                   MessageIcon::Information);
            return;
        }
        selectedPath = Paths::join(filFile->path(), name);
        emit clickOpen();
        accept();
        break;
    }
    case 1:
        emit clickOpen();
        reject();
        break;
    case 2:
        moveToSampleFolder();
        break;
    default:
        break;
    }
}

void frmFileOpendlg::moveToSampleFolder()
{
    try {
        showFolder(programDrive(), sampleFolder());
    } catch (const AppError &) {
        m_messages.showMessage(u"サンプルフォルダが見つかりません"_s, u"サンプルフォルダへ移動"_s,
                               MessageIcon::Information);
    }
}

QString frmFileOpendlg::programDrive() const
{
    return DriveListBox::volumeOf(m_programFolder, drvDrive->volumes());
}

QString frmFileOpendlg::sampleFolder() const
{
    return Paths::join(m_programFolder, u"sample"_s);
}
