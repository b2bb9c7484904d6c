#pragma once

#include "ElementTable.h"
#include "clsElement.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <span>

class MessageSink;
namespace WmsFields {
struct Field;
}

// The skin document: the 19-slot element table, the WMS writer and reader, and
// the folder step of a first save. Failures are reported through the message
// sink handed in by the owner.
class clsFileControl {
public:
    explicit clsFileControl(MessageSink &messages);
    ~clsFileControl();
    clsFileControl(const clsFileControl &) = delete;
    clsFileControl &operator=(const clsFileControl &) = delete;

    // The record in slot intPart, created empty on first access; null outside 1..19.
    std::shared_ptr<clsElement> getElement(qint16 intPart);
    // The same record for reading, without creating one: an empty record
    // where the slot holds none; null outside 1..19.
    std::shared_ptr<const clsElement> getElement(qint16 intPart) const;
    // Stores Class in slot intPart (null empties it); nothing happens outside 1..19.
    void setElement(std::shared_ptr<clsElement> Class, qint16 intPart);

    bool readFile(const QString &pstrFileStr);
    bool writeFile(const QString &pstrFileName, qint16 pintMode);
    // The two halves of the format without the file system: the bytes
    // writeFile writes (nothing, with the message shown, when they cannot be
    // made), and readFile on the bytes of the file at pstrFileStr.
    std::optional<QByteArray> wmsBytes();
    bool readBytes(const QByteArray &bytes, const QString &pstrFileStr);
    bool createFolder(const QString &pstrPath);
    // Copies the images the skin uses (the texts of its image fields, in
    // field order) into the folder of the WMS file pstrFileName; false, with
    // the message shown, at the first that fails.
    bool copyImageFile(const QStringList &imagePaths, const QString &pstrFileName);

    // The file that writeFile(pstrFileName, pintMode) writes.
    static QString writtenFileName(const QString &pstrFileName, qint16 pintMode);
    // Whether path is the WMS file of a skin folder: a file inside a folder
    // of its own name, as a save under a new name leaves it.
    static bool isSkinFolderFile(const QString &path);
    // The first of paths that copyImageFile would copy onto the WMS file
    // pstrFileName itself, as its index; nothing when none would.
    static std::optional<qsizetype> imageOverSkinFile(const QStringList &paths,
                                                      const QString &pstrFileName);
    // The first two of paths that would be one file in the folder of the WMS
    // file pstrFileName (different pictures of one name: the later copy
    // would replace the earlier), as their indexes; nothing when none would.
    static std::optional<std::pair<qsizetype, qsizetype>>
    imagesOfOneName(const QStringList &paths, const QString &pstrFileName);

    void setFileName(const QString &value);
    QString getFileName() const;

private:
    // Writer: the whole text, one line per element with its CR LF; a
    // control that is not present has no line.
    QString makeWmsText() const;
    void appendLine(qint16 intPart, QString &text) const;
    bool saveBytes(const QString &target, const QByteArray &bytes);
    static QString skinFilePath(const QString &pstrPath);

    // Reader: one line into its record by the fields of its kind;
    // getAttribute throws on a broken value.
    void readElement(qint16 intPart, QStringView line);
    void readFields(QStringView line, clsElement &record, std::span<const WmsFields::Field> fields);
    QString getAttribute(QStringView line, QStringView name) const;
    QString imagePath(const QString &value, const QString &current) const;

    MessageSink &m_messages;
    std::array<std::shared_ptr<clsElement>, Slot::Count> m_elements;
    QString m_fileName;
    QString m_skinFolder;
    QString m_themeId;
};
