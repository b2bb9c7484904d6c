#include "FolderListBox.h"

#include "util/AppError.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kIndentation = 8;

// root, then every folder between root and folder, then folder itself.
QStringList chainOf(const QString &folder, const QString &root)
{
    QStringList chain{root};
    const QString rest = QDir(root).relativeFilePath(folder);
    if (rest.isEmpty() || rest == u"."_s || rest.startsWith(u".."_s)) {
        return chain;
    }
    QString path = root;
    for (const QString &part : rest.split(u'/', Qt::SkipEmptyParts)) {
        path = QDir(path).filePath(part);
        chain.append(path);
    }
    return chain;
}

} // namespace

FolderListBox::FolderListBox(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(kIndentation);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { open(item); });
}

void FolderListBox::setPath(const QString &folder, const QString &root)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir()) {
        throw AppError(AppError::PathNotFound, folder);
    }
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    const QString top = root.isEmpty() ? QDir::rootPath() : root;
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);

    clear();
    QTreeWidgetItem *parent = nullptr;
    for (const QString &path : chainOf(clean, top)) {
        const QString name = parent ? QFileInfo(path).fileName() : QDir::toNativeSeparators(path);
        auto *item =
            parent ? new QTreeWidgetItem(parent, {name}) : new QTreeWidgetItem(this, {name});
        item->setIcon(0, openIcon);
        item->setData(0, kPathRole, path);
        parent = item;
    }
    // Subfolders that cannot be listed leave the chain alone, as an empty folder would.
    const QStringList subfolders =
        QDir(clean).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : subfolders) {
        auto *item = new QTreeWidgetItem(parent, {name});
        item->setIcon(0, closedIcon);
        item->setData(0, kPathRole, QDir(clean).filePath(name));
    }
    expandAll();
    setCurrentItem(parent);
    scrollToItem(parent);
    m_path = clean;
    m_root = top;
}

void FolderListBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Taken here, so the dialog's default button is not pressed as well.
        open(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void FolderListBox::open(QTreeWidgetItem *item)
{
    if (!item) {
        return;
    }
    const QString target = item->data(0, kPathRole).toString();
    if (target == m_path) {
        return;
    }
    try {
        setPath(target, m_root);
    } catch (const AppError &) {
        // The folder went away since it was listed: show the list as it is now.
        try {
            setPath(m_path, m_root);
        } catch (const AppError &) {
            return;
        }
    }
    emit pathChanged();
}
