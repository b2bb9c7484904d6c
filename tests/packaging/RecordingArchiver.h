#pragma once

#include "packaging/Archiver.h"
#include "packaging/ZipCommandLine.h"

#include <QFile>
#include <QList>
#include <stdexcept>

// What an archiver was asked to do. Kept apart from the archiver because the
// packager takes ownership of the archiver itself.
struct ArchiverLog {
    struct Call {
        quintptr window = 0;
        QByteArray commandLine;
        QString listFile;     // the path after "@"
        QByteArray listBytes; // the list file as it was during the call
    };

    std::optional<qint16> version = 100;
    bool throwOnVersion = false;
    bool throwOnZip = false;
    qint32 result = 0;
    QList<Call> calls;
};

// An archiver that records each command line and the list file it names,
// and answers as the log says.
class RecordingArchiver : public Archiver {
public:
    explicit RecordingArchiver(ArchiverLog &log) : m_log(log) {}

    std::optional<qint16> version() override
    {
        if (m_log.throwOnVersion) {
            throw std::runtime_error("archiver library missing");
        }
        return m_log.version;
    }

    qint32 zip(quintptr ownerWindow, const QByteArray &commandLine) override
    {
        ArchiverLog::Call call;
        call.window = ownerWindow;
        call.commandLine = commandLine;
        const auto command = ZipCommandLine::parse(QFile::decodeName(commandLine));
        if (command && command->listFiles.size() == 1) {
            call.listFile = command->listFiles.constFirst();
            QFile list(call.listFile);
            if (list.open(QIODevice::ReadOnly)) {
                call.listBytes = list.readAll();
            }
        }
        m_log.calls.append(call);
        if (m_log.throwOnZip) {
            throw std::runtime_error("archiver crashed");
        }
        return m_log.result;
    }

private:
    ArchiverLog &m_log;
};
