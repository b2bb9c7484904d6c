// Files that come from outside the editor: dropped on its window. Skin
// files given to the program open through openSkinFile (frmMain_Files.cpp).
#include "document/SectionTable.h"
#include "editor/platform/FileDropFilter.h"
#include "frmMain.h"
#include "packaging/WmzUnpacker.h"
#include "render/PictureReader.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

void frmMain::watchFileDrops()
{
    auto *filter = new FileDropFilter(
        [this](const QWidget *target, const QString &path) {
            return acceptsDroppedFile(target, path);
        },
        [this](QWidget *target, const QString &path) { dropFile(target, path); }, this);
    filter->watch(this);
    // Fields take dropped text themselves; the filter keeps files from
    // arriving there as their address.
    for (QLineEdit *field : m_Text1) {
        filter->watch(field);
    }
}

// The fields that hold an image's path are those a browse button fills.
bool frmMain::isImageField(const QWidget *widget) const
{
    for (const Sections::Section &section : Sections::kSections) {
        for (const Sections::ImageField &image : Sections::imageFields(section)) {
            if (Text1(image.text) == widget) {
                return true;
            }
        }
    }
    return false;
}

namespace {

bool isSkinFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && (info.suffix().compare(u"wms", Qt::CaseInsensitive) == 0 ||
                             WmzUnpacker::isArchiveName(path));
}

} // namespace

bool frmMain::acceptsDroppedFile(const QWidget *target, const QString &path) const
{
    if (isSkinFile(path)) {
        return true; // anywhere on the window
    }
    // A greyed field (its box or its section switched off) takes nothing.
    return isImageField(target) && target->isEnabled() && isPictureFile(path);
}

void frmMain::dropFile(QWidget *target, const QString &path)
{
    if (!acceptsDroppedFile(target, path)) {
        return;
    }
    if (isSkinFile(path)) {
        // Asked once the drop is over: a question inside it would keep the
        // file manager waiting for the drop to finish.
        QMetaObject::invokeMethod(
            this, [this, path] { openSkinFile(path, true); }, Qt::QueuedConnection);
        return;
    }
    auto *field = static_cast<QLineEdit *>(target);
    field->setText(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    field->setFocus();
}
