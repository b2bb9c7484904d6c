#pragma once

#include <QString>
#include <QTreeWidget>

// The folder list: the current folder's ancestors from the volume root down,
// each shown open, then the current folder's subfolders, shown closed. A
// double click or Enter opens the folder under the cursor; a single click
// only selects it.
class FolderListBox : public QTreeWidget {
    Q_OBJECT
public:
    explicit FolderListBox(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    QString root() const { return m_root; }
    // Shows folder, which lies on the volume with the given root, without
    // raising pathChanged. AppError 76 when folder is no folder.
    void setPath(const QString &folder, const QString &root);

signals:
    // The user opened another folder.
    void pathChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Every level is always open: no expand marks beside the folders.
    void drawBranches(QPainter *, const QRect &, const QModelIndex &) const override {}

private:
    void open(QTreeWidgetItem *item);

    QString m_path;
    QString m_root;
};
