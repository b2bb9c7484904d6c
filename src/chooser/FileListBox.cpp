#include "FileListBox.h"

#include "util/AppError.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStringListModel>

QStringList listPictureFiles(const QString &folder, const QStringList &patterns)
{
    // Hidden files stay out, as the platform's own file lists leave them out.
    return QDir(folder).entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

FileListBox::FileListBox(QWidget *parent) : QListView(parent), m_model(new QStringListModel(this))
{
    setModel(m_model);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    // Every row is one line of text: the view need not measure 10,000 of them.
    setUniformItemSizes(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = selectionModel()->selectedRows();
        if (!rows.isEmpty()) {
            scrollTo(rows.constFirst());
            emit fileClicked();
        }
    });
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid()) {
            emit fileChosen();
        }
    });
}

void FileListBox::setPattern(const QString &pattern)
{
    m_patterns = pattern.split(u';', Qt::SkipEmptyParts);
}

void FileListBox::setPath(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        throw AppError(AppError::PathNotFound, folder);
    }
    m_model->setStringList(listPictureFiles(folder, m_patterns));
    m_path = folder;
}

QStringList FileListBox::fileNames() const
{
    return m_model->stringList();
}

QString FileListBox::fileName() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : rows.constFirst().data().toString();
}

void FileListBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter acts as the open button, which asks for a file when none is
        // selected; taken here, so the default button is not pressed twice.
        emit fileChosen();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}
