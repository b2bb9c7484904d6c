#include "DiskFull.h"

#include <QFileDevice>
#include <cerrno>
#include <cstring>

bool isDiskFull(const QFileDevice &device)
{
    // Qt maps ENOSPC to ResourceError on write; the error text is the
    // system's own, which also covers failures reported at commit or close.
    if (device.error() == QFileDevice::ResourceError) {
        return true;
    }
    const QString noSpace = QString::fromLocal8Bit(std::strerror(ENOSPC));
    return device.errorString().contains(noSpace);
}

bool isDiskFull(int errnoValue)
{
    return errnoValue == ENOSPC;
}

QString diskFullMessage()
{
    return QStringLiteral(
        "ディスクの空き容量が不足してます\r\n容量を確保した後、再度、保存してください");
}
