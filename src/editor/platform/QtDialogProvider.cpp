#include "QtDialogProvider.h"

#include "editor/widgets/WidgetColors.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

std::optional<QString> runFileDialog(QWidget *owner, const FileDialogRequest &request,
                                     QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(owner, request.title);
    dialog.setObjectName(mode == QFileDialog::AcceptOpen ? u"openFileDialog"_s
                                                         : u"saveFileDialog"_s);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    // A name typed without an extension is given the filter's, as a save
    // of that type of file expects.
    if (const QRegularExpressionMatch pattern =
            QRegularExpression(u"\\*\\.(\\w+)"_s).match(request.filter);
        mode == QFileDialog::AcceptSave && pattern.hasMatch()) {
        dialog.setDefaultSuffix(pattern.captured(1));
    }

    // A start path that names a file opens its folder with the file selected.
    const QFileInfo start(request.initialPath);
    if (!request.initialPath.isEmpty() && start.isDir()) {
        dialog.setDirectory(start.absoluteFilePath());
    } else if (!request.initialPath.isEmpty() && start.exists()) {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> QtDialogProvider::openFile(const FileDialogRequest &request)
{
    return runFileDialog(m_owner, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogProvider::saveFile(const FileDialogRequest &request)
{
    return runFileDialog(m_owner, request, QFileDialog::AcceptSave);
}

// The folder the question is about stands selected in its parent, so that
// accepting takes it and the user sees where it lies.
std::optional<QString> QtDialogProvider::chooseFolder(const FileDialogRequest &request)
{
    QFileDialog dialog(m_owner, request.title);
    dialog.setObjectName(u"folderDialog"_s);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    const QFileInfo start(request.initialPath);
    dialog.setDirectory(start.absolutePath());
    dialog.selectFile(start.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

std::optional<qint32> QtDialogProvider::pickColor(qint32 initial)
{
    QColorDialog dialog(WidgetColors::fromWindowColor(initial), m_owner);
    dialog.setObjectName(u"colorDialog"_s);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return WidgetColors::toWindowColor(dialog.selectedColor());
}
