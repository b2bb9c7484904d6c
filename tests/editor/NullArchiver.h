#pragma once

#include "packaging/Archiver.h"

#include <memory>

// An archiver that reports the given version; none means "not usable".
class FixedVersionArchiver : public Archiver {
public:
    explicit FixedVersionArchiver(std::optional<qint16> version) : m_version(version) {}
    std::optional<qint16> version() override { return m_version; }
    qint32 zip(quintptr, const QByteArray &) override { return 1; }

private:
    std::optional<qint16> m_version;
};

inline std::unique_ptr<Archiver> missingArchiver()
{
    return nullptr;
}

inline std::unique_ptr<Archiver> usableArchiver()
{
    return std::make_unique<FixedVersionArchiver>(qint16(300));
}
