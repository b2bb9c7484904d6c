#pragma once

#include "util/AnsiText.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>

// Files for the packaging tests, written for real into a test folder.
namespace SkinFolder {

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Bytes that deflate can shrink a little but not to nothing, different per seed.
inline QByteArray imageBytes(quint32 seed, qsizetype size)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i % 7 == 0) ? random.bounded(256) : (i / 64) % 251);
    }
    return bytes;
}

inline bool writeAnsi(const QString &path, const QString &text)
{
    return writeFile(path, AnsiText::encode(text));
}

// Everything in a folder, hidden files and subfolders included, so a stray
// temporary file cannot go unnoticed.
inline QStringList listing(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace SkinFolder
