#pragma once

#include <QComboBox>
#include <QStringList>

// The drive list: one entry per mounted volume, named by its root folder.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget *parent = nullptr);

    // The roots of the mounted volumes that are folders, sorted.
    static QStringList mountedVolumeRoots();
    // The root of the listed volume that holds path: the longest root that
    // begins it. Empty for a relative path or one outside every root.
    static QString volumeOf(const QString &path, const QStringList &roots);

    void setVolumes(const QStringList &roots);
    QStringList volumes() const;

    QString drive() const;
    // Selects the volume with this root without raising driveChanged.
    // AppError 68 when no listed volume has that root or it cannot be read.
    void setDrive(const QString &root);

signals:
    // The user picked another volume.
    void driveChanged();
};
