#pragma once

#include "packaging/Archiver.h"
#include "packaging/BuiltInArchiver.h"
#include "packaging/PackFailure.h"

#include <QString>
#include <memory>
#include <optional>
#include <variant>

class MessageSink;

// Packs a saved skin into a WMZ file: lists the files of the skin's folder
// that the WMS text names, writes the list to a temporary file and hands one
// command line to the archiver. The archiver is probed once, at creation.
class clsZipWrapper {
public:
    explicit clsZipWrapper(MessageSink &messages,
                           std::unique_ptr<Archiver> archiver = makeBuiltInArchiver());
    ~clsZipWrapper();
    clsZipWrapper(const clsZipWrapper &) = delete;
    clsZipWrapper &operator=(const clsZipWrapper &) = delete;

    bool getZipUsable() const;
    bool getZipVersionIsOld() const;

    // Writes <WMS name minus its last character>z beside the WMS file and
    // returns that bare name; empty on failure, after a message that names
    // the cause where there is one to name.
    QString makeZipFile(const QString &pstrWmsFileName, const QString &pstrWorkDir);

private:
    // Quoting and the list's layout are ZipCommandLine's, shared with the archiver.
    static QString addSeparator(const QString &strFolder);
    // The list file's path, or why there is none.
    static std::variant<QString, PackFailure> makeListFile(const QString &strWorkDir,
                                                           const QString &strWmsFileName,
                                                           const QString &strArchiveName,
                                                           const QString &strListTemplate);
    // False on failure, with *cause set where the archiver or the command
    // line names one.
    bool runZip(const QString &strArchive, const QString &strBaseDir, const QString &strListArg,
                std::optional<PackFailure> *cause);
    // "圧縮に失敗しました", and the cause where one is known.
    void showFailure(const PackFailure *cause);

    MessageSink &m_messages;
    std::unique_ptr<Archiver> m_archiver;
    bool zipUsable = false;
    bool zipVersionIsOld = false;
};
