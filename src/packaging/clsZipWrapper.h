#pragma once

#include "packaging/Archiver.h"
#include "packaging/BuiltInArchiver.h"

#include <QString>
#include <memory>

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
    // returns that bare name; empty on failure.
    QString makeZipFile(const QString &pstrWmsFileName, const QString &pstrWorkDir);

private:
    // Quoting and the list's layout are ZipCommandLine's, shared with the archiver.
    static QString addSeparator(const QString &strFolder);
    // Empty on failure; *strOutsideLink names a link that leads out of the
    // skin's folder when that was the reason.
    static QString makeListFile(const QString &strWorkDir, const QString &strWmsFileName,
                                const QString &strListTemplate, QString *strOutsideLink);
    bool runZip(const QString &strArchive, const QString &strBaseDir, const QString &strListArg);

    MessageSink &m_messages;
    std::unique_ptr<Archiver> m_archiver;
    bool zipUsable = false;
    bool zipVersionIsOld = false;
};
