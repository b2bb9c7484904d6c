#pragma once

#include <QDialog>
#include <QHash>
#include <QString>
#include <array>

class DriveListBox;
class FileListBox;
class FolderListBox;
class MessageSink;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

// The editor's image file chooser: drive, folder and file lists filtered to
// pictures, a preview of the selected picture and a button that jumps to the
// sample folder beside the program. Shown modally; reports through clickOpen
// and getPath.
class frmFileOpendlg : public QDialog {
    Q_OBJECT
public:
    // programFolder: the folder whose sample/ holds the sample pictures.
    frmFileOpendlg(MessageSink &messages, QString programFolder, QWidget *parent = nullptr);
    ~frmFileOpendlg() override;

    // The path to start from; replaced by the chosen file's path on "開く".
    void setPath(const QString &strPath) { selectedPath = strPath; }
    QString getPath() const { return selectedPath; }

    // Part 1: the root of the volume that holds the path (empty when none
    // does). Part 2: the path before its last separator; AppError 5 when it
    // has none.
    static QString getPathPart(const QString &path, int part);

    // Controls.
    std::array<QGroupBox *, 2> fraFileOpen{};
    FileListBox *filFile = nullptr;
    FolderListBox *dirDirectry = nullptr;
    DriveListBox *drvDrive = nullptr;
    QFrame *Picture1 = nullptr;
    QLabel *imgImage = nullptr;
    std::array<QPushButton *, 3> cmdOpen{};

signals:
    // Raised on "開く" with a file selected and on "キャンセル", just before
    // the window closes; the close box raises none.
    void clickOpen();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildWindow();
    void Form_Activate();
    void drvDrive_Change();
    void dirDirectry_Change();
    void filFile_Click();
    void cmdOpen_Click(int Index);
    void moveToSampleFolder();

    // Shows folder on the volume root in both lists, or throws AppError and
    // leaves all three lists as they were.
    void showFolder(const QString &root, const QString &folder);
    QString programDrive() const;
    QString sampleFolder() const;

    MessageSink &m_messages;
    QString m_programFolder;
    QString selectedPath;
    // The folder last shown on each volume, where choosing the volume returns to.
    QHash<QString, QString> m_folderOnDrive;
};
