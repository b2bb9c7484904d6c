#pragma once

#include <QListView>
#include <QString>
#include <QStringList>

class QStringListModel;

// The files of one folder whose names match a pattern list such as
// "*.bmp;*.gif" (letter case ignored), sorted by name. No file is selected
// until the user selects one.
QStringList listPictureFiles(const QString &folder, const QStringList &patterns);

class FileListBox : public QListView {
    Q_OBJECT
public:
    explicit FileListBox(QWidget *parent = nullptr);

    // Patterns separated by ";"; takes effect at the next setPath.
    void setPattern(const QString &pattern);
    QString pattern() const { return m_patterns.join(u';'); }

    QString path() const { return m_path; }
    // Lists folder afresh; AppError 76 when it is no folder.
    void setPath(const QString &folder);

    QStringList fileNames() const;
    // The selected file's name; empty when none is selected.
    QString fileName() const;

signals:
    // Another file was selected, by the mouse or the keys.
    void fileClicked();
    // A double click on a file, or Enter.
    void fileChosen();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QStringListModel *m_model;
    QStringList m_patterns;
    QString m_path;
};
