#include "VersionInfo.h"

#include "util/VersionRecord.h"

VersionInfo VersionInfo::program()
{
    return {
        QString::fromUtf16(VersionRecord::kTitle),
        VersionRecord::kMajor,
        VersionRecord::kMinor,
        VersionRecord::kRevision,
        QString::fromUtf16(VersionRecord::kComment),
        QString::fromUtf16(VersionRecord::kCompany),
        QString::fromUtf16(VersionRecord::kCopyright),
    };
}

QString VersionInfo::number() const
{
    return QString::number(major) + u'.' + QString::number(minor) + u'.' +
           QString::number(revision);
}
