#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

// The folder an archive is unpacked into, written all or nothing as far as the
// system allows (see commit()). Every file goes first to a partial file of its
// own in the folder, reached through one descriptor of the folder, never
// through a name a link could turn away; all of them replace their names only
// once every one is complete. Until then, and on every way out without
// commit(), the partial files and a folder made here are removed again: only
// what this object made.
class UnpackTarget {
public:
    // Which folders the unpack may go into: any the user named, or, for one
    // the program chose, only a new one or an empty one that is no link.
    enum class Folder { Any, NewOrEmpty };

    // Opens folder, making it when it is missing (its parent must exist).
    // Nothing, with the reason, when it cannot be opened or made, or is not
    // what rule allows.
    static std::unique_ptr<UnpackTarget> open(const QString &folder, Folder rule, QString *why);
    ~UnpackTarget();
    UnpackTarget(const UnpackTarget &) = delete;
    UnpackTarget &operator=(const UnpackTarget &) = delete;

    // What the folder already holds under a name. Links are not followed.
    enum class Occupant { None, File, Other };
    Occupant occupant(const QByteArray &name) const;

    // Whether the folder's file system takes a file of this name at all (a
    // name may be longer than it allows).
    bool takesName(const QByteArray &name) const;

    // A new partial file that will become name; -1 with errno set when the
    // system refuses. The descriptor stays this object's.
    int createPart(const QByteArray &name);

    // Puts every partial file in the place of its name. False, with errno
    // set, when the system refuses one; the files already put where no file
    // was go again with the rest (in a folder made here, all of them). Those
    // that replaced a file stay: the old contents are gone.
    bool commit();

private:
    UnpackTarget() = default;
    void discard();

    struct Part {
        QByteArray name;
        QByteArray partName;
        int fd = -1;
    };
    QString m_folder;
    int m_folderFd = -1;
    bool m_madeFolder = false;
    bool m_committed = false;
    QList<Part> m_parts;
};
