#pragma once

#include <QProcess>
#include <QString>

// A small tmpfs mounted on a test folder, so "disk full" is the real thing.
// Mounting needs root; reason() says why it failed where it is refused.
class TmpfsMount {
public:
    TmpfsMount(const QString &folder, const QString &size) : m_folder(folder)
    {
        m_mounted = run(QStringLiteral("mount"),
                        {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                         QStringLiteral("size=") + size, QStringLiteral("tmpfs"), folder});
    }
    ~TmpfsMount()
    {
        if (m_mounted) {
            run(QStringLiteral("umount"), {m_folder});
        }
    }
    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;

    bool isMounted() const { return m_mounted; }
    // No file can be made in it from now on, whoever asks.
    bool remountReadOnly()
    {
        return run(QStringLiteral("mount"),
                   {QStringLiteral("-o"), QStringLiteral("remount,ro"), m_folder});
    }
    const QString &reason() const { return m_output; }

private:
    bool run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        const bool ok = process.waitForFinished(30000) &&
                        process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        m_output = QString::fromLocal8Bit(process.readAll()).trimmed();
        if (!ok && m_output.isEmpty()) {
            m_output = process.errorString();
        }
        return ok;
    }

    QString m_folder;
    QString m_output;
    bool m_mounted = false;
};
