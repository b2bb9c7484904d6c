#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class EditHistory;

// Keeps unsaved work safe from an end nobody chose: within two seconds of a
// change that leaves the skin unsaved, the panels' values and the file being
// edited are written, atomically, to this run's recovery file in the user's
// data folder; the file goes again as soon as nothing is unsaved (a save, an
// undo back to it, New, Open) and when the program ends as it should. A
// later start finds what an ended run left and offers it back.
class Recovery : public QObject {
public:
    using FileName = std::function<QString()>;

    // folder: where recovery files live; fileName: the skin file being edited.
    Recovery(EditHistory &history, QString folder, FileName fileName, QObject *parent = nullptr);
    ~Recovery() override;

    // Writes the recovery file now if anything is unsaved (a signal or the
    // loss of the display is ending the program); true when the file holds it.
    bool writeNow();
    // The program ends without its usual way out: the file stays for the next start.
    void keep() { m_keep = true; }
    // The live recovery of this run, for the ends that come from outside.
    static Recovery *current();

    // What a run that ended without saving left behind.
    struct LeftOver {
        QString path;
        QString fileName;
        QDateTime kept;                                  // when the work was last written
        std::vector<std::pair<QString, QString>> values; // control name, value
    };
    struct Search {
        std::optional<LeftOver> leftOver;
        QStringList setAside; // where files that hold no work now lie
    };
    // The newest recovery file of a run that no longer goes on (its process
    // ended, or its number now belongs to another process). Files of ended
    // runs that hold no record of this program's are never offered: they are
    // renamed aside, out of the way of later starts, and kept.
    Search findLeftOver();
    // Puts the left-over values into the panels as where the history starts,
    // as an opened file is, but unsaved. The work is in this run's file
    // before the left-over file goes, so no moment is without it.
    void restore(const LeftOver &leftOver);
    // Removes the left-over file; only a recovery file by its name is taken.
    static void discard(const LeftOver &leftOver);

    QString path() const { return m_path; }

private:
    void followHistory();
    QStringList controlNames() const;
    // Renames a file that holds no work out of the recovery files' way; its
    // new path, or nothing when it could not be moved.
    static std::optional<QString> setAside(const QString &path);
    void remove();

    EditHistory &m_history;
    QString m_folder;
    QString m_path;
    QString m_run; // which run this is, for a later start to tell
    FileName m_fileName;
    QTimer m_timer;
    bool m_keep = false;
};
