#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

// What a recovery file may be trusted with. The folder it lies in is the
// user's to write, so the file may hold anything: only the record this
// program writes is work to offer, and the skin file it names is kept only
// where a save could have written it.
namespace RecoveredWork {

struct Record {
    QString fileName; // the skin file being edited, empty for a new skin
    QString run;      // which run wrote it, empty where the system did not tell
    std::vector<std::pair<QString, QString>> values; // control name, value
};

// The record in bytes: a JSON object whose "values" give text to at least
// one of controls, with "file" and "run" texts where present; nothing for
// anything else (an empty file, other JSON, bytes of no JSON at all).
std::optional<Record> read(const QByteArray &bytes, const QStringList &controls);

// The skin file restored work may go on under: recorded, when it is the
// full path of a .wms file that is not there yet or that the skin reader
// reads as a skin. Nothing otherwise: the work is then a new skin, and its
// first save asks where it goes.
std::optional<QString> skinFile(const QString &recorded);

} // namespace RecoveredWork
