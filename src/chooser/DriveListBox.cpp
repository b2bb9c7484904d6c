#include "DriveListBox.h"

#include "util/AppError.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRootRole = Qt::UserRole;

bool holds(const QString &root, const QString &path)
{
    if (path == root) {
        return true;
    }
    const QString prefix = root.endsWith(u'/') ? root : root + u'/';
    return path.startsWith(prefix);
}

} // namespace

DriveListBox::DriveListBox(QWidget *parent) : QComboBox(parent)
{
    // activated is raised by the user only, never by setDrive.
    connect(this, &QComboBox::activated, this, &DriveListBox::driveChanged);
}

QStringList DriveListBox::mountedVolumeRoots()
{
    QStringList roots;
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &volume : volumes) {
        // Files mounted onto files (a container's /etc/hosts) are no drives.
        if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir() &&
            !roots.contains(volume.rootPath())) {
            roots.append(volume.rootPath());
        }
    }
    roots.sort();
    return roots;
}

QString DriveListBox::volumeOf(const QString &path, const QStringList &roots)
{
    if (path.isEmpty() || !QDir::isAbsolutePath(path)) {
        return {};
    }
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    QString best;
    for (const QString &root : roots) {
        if (root.size() > best.size() && holds(QDir::fromNativeSeparators(root), clean)) {
            best = root;
        }
    }
    return best;
}

void DriveListBox::setVolumes(const QStringList &roots)
{
    const QSignalBlocker quiet(this);
    clear();
    for (const QString &root : roots) {
        addItem(QDir::toNativeSeparators(root), root);
    }
}

QStringList DriveListBox::volumes() const
{
    QStringList roots;
    for (int i = 0; i < count(); ++i) {
        roots.append(itemData(i, kRootRole).toString());
    }
    return roots;
}

QString DriveListBox::drive() const
{
    return currentData(kRootRole).toString();
}

void DriveListBox::setDrive(const QString &root)
{
    const int index = root.isEmpty() ? -1 : findData(root, kRootRole);
    const QFileInfo info(root);
    if (index < 0 || !info.isDir() || !info.isReadable()) {
        throw AppError(AppError::DeviceUnavailable, root);
    }
    const QSignalBlocker quiet(this);
    setCurrentIndex(index);
}
