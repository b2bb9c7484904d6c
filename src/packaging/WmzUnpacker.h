#pragma once

#include "packaging/ArchiveCheck.h"
#include "packaging/UnpackTarget.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class ArchiveReader;
class MessageSink;

// Unpacks a WMZ file, the form in which skins travel, so that its skin can be
// edited or checked. The archive is hostile until its directory has passed
// ArchiveCheck; then its entries are written into one folder, all or nothing.
namespace WmzUnpacker {

// The title of what is said while unpacking.
QString title();

// Whether a file's name marks it as a WMZ file.
bool isArchiveName(const QString &path);

// The folder named after the archive, beside it: "skins/cool.wmz" gives
// "skins/cool".
QString folderFor(const QString &archivePath);

// The folder an unpack goes into when nobody names one: folderFor(), or
// "cool (2)", "cool (3)"... beside it, the first that is missing or an empty
// folder (never a link, nor a folder holding files). Empty when none of the
// first hundred is.
QString newFolderFor(const QString &archivePath);

// One unpack in three steps, so that the long one can run away from a
// window's thread: prepare() checks the archive and the folder and asks the
// user what must be asked; copy() writes every entry to a partial file;
// finish() gives them their names and says what went wrong. Until finish()
// succeeds, going away removes what the unpack made.
class Unpack {
public:
    // Nothing, after telling the user why, or when they would not replace
    // files already there.
    static std::unique_ptr<Unpack> prepare(const QString &archivePath, const QString &folder,
                                           MessageSink &messages, UnpackTarget::Folder rule);
    ~Unpack();
    Unpack(const Unpack &) = delete;
    Unpack &operator=(const Unpack &) = delete;

    // What all the entries hold together, unpacked.
    quint64 totalBytes() const { return m_totalBytes; }

    // Writes the entries, calling carryOn with the bytes of each piece
    // written; stops at the next piece when it returns false or the program
    // is asked to stop. Touches no window and no message: it may run on any
    // thread. False when it stopped or failed.
    bool copy(const std::function<bool(quint64)> &carryOn);

    // After copy(): the WMS file's full path, or nothing after telling why.
    std::optional<QString> finish(bool copied, MessageSink &messages);

    // Takes back what the unpack made, without a word (the user cancelled).
    void abandon();

private:
    Unpack();

    struct Failure {
        QString reason;
        QString subject;
    };

    QString m_archivePath;
    QString m_folder;
    std::unique_ptr<ArchiveReader> m_archive;
    QList<ArchiveCheck::Entry> m_entries;
    qsizetype m_skinEntry = -1;
    quint64 m_totalBytes = 0;
    std::unique_ptr<UnpackTarget> m_target;
    Failure m_failure;
};

// Unpacks archivePath into folder (made when missing; its parent must exist),
// which rule allows (a folder the program chose must still be new or empty
// when it is opened). Files of the same names already there are replaced only
// when the user says so. Returns the full path of the WMS file unpacked;
// nothing, after telling the user why, when nothing was unpacked.
std::optional<QString> unpack(const QString &archivePath, const QString &folder,
                              MessageSink &messages,
                              UnpackTarget::Folder rule = UnpackTarget::Folder::Any);

} // namespace WmzUnpacker
