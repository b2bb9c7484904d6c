// The WMZ unpacker and its checks. An input is an archive: either its bytes
// as they are (first byte even), or entries built with libzip from fields
// (first byte odd): name, contents and a kind byte each, so that links,
// folders, devices and hostile names reach the unpacker in well-formed
// archives. Whatever the archive, nothing is written outside the target
// folder, what is written there is plain files within the limits, and a
// refused archive leaves no target folder behind.

#include "FuzzSupport.h"
#include "RecordingMessageSink.h"
#include "packaging/ArchiveCheck.h"
#include "packaging/WmzUnpacker.h"

#include <QDir>
#include <QFileInfo>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

using namespace Qt::StringLiterals;

namespace {

// The kinds an entry can be given, as Unix modes or DOS attributes.
constexpr std::pair<quint8, quint32> kKinds[] = {
    {ZIP_OPSYS_UNIX, 0100644u << 16},
    {ZIP_OPSYS_UNIX, 0120777u << 16},
    {ZIP_OPSYS_UNIX, 0040755u << 16},
    {ZIP_OPSYS_UNIX, 0020644u << 16},
    {ZIP_OPSYS_DOS, 0x10},
    {ZIP_OPSYS_DOS, 0x20},
};

// Builds an archive of the fields' entries; false when libzip takes none.
bool buildArchive(const QString &path, const QList<QByteArray> &fields)
{
    QFile::remove(path);
    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip) {
        return false;
    }
    QList<QByteArray> contents; // libzip reads them at zip_close
    contents.reserve(fields.size());
    for (qsizetype i = 0; i + 1 < fields.size(); i += 3) {
        contents.append(fields.at(i + 1));
        const QByteArray &data = contents.last();
        zip_source_t *source = zip_source_buffer(zip, data.constData(), quint64(data.size()), 0);
        const zip_int64_t index =
            source ? zip_file_add(zip, fields.at(i).constData(), source, ZIP_FL_ENC_RAW) : -1;
        if (index < 0) {
            zip_source_free(source);
            continue;
        }
        const quint8 kind = i + 2 < fields.size() && !fields.at(i + 2).isEmpty()
                                ? quint8(fields.at(i + 2).at(0))
                                : 0;
        const auto &[system, attributes] = kKinds[kind % std::size(kKinds)];
        zip_file_set_external_attributes(zip, quint64(index), 0, system, attributes);
        zip_set_file_compression(zip, quint64(index), kind & 0x80 ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                 0);
    }
    if (zip_close(zip) != 0) {
        zip_discard(zip);
        return false;
    }
    return true;
}

struct Listed {
    QByteArray name;
    struct stat info;
};

// A folder's entries by the system's own bytes: Qt passes over names that are
// no UTF-8, and an unpacked skin keeps its windows-31j names.
QList<Listed> listing(const QString &folder)
{
    QList<Listed> entries;
    const QByteArray path = QFile::encodeName(folder);
    DIR *dir = ::opendir(path.constData());
    while (const dirent *entry = dir ? ::readdir(dir) : nullptr) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        Listed listed{name, {}};
        ::fstatat(::dirfd(dir), name.constData(), &listed.info, AT_SYMLINK_NOFOLLOW);
        entries.append(listed);
    }
    if (dir) {
        ::closedir(dir);
    }
    return entries;
}

void checkUnpacked(const QString &box, const QString &target, const std::optional<QString> &wms)
{
    // Nothing beside the target folder in the box.
    const QList<Listed> inBox = listing(box);
    FUZZ_CHECK(inBox.isEmpty() || (inBox.size() == 1 && inBox.at(0).name == "target"),
               QString::fromLocal8Bit(inBox.value(0).name));
    if (!wms) {
        FUZZ_CHECK(inBox.isEmpty(), u"a refused archive left its folder"_s);
        return;
    }
    FUZZ_CHECK(QFileInfo(*wms).absolutePath() == target, *wms);
    quint64 total = 0;
    const QList<Listed> unpacked = listing(target);
    for (const Listed &file : unpacked) {
        const QString name = QString::fromLocal8Bit(file.name);
        FUZZ_CHECK(S_ISREG(file.info.st_mode), name);
        FUZZ_CHECK(quint64(file.info.st_size) <= ArchiveCheck::kLimits.entryBytes, name);
        total += quint64(file.info.st_size);
    }
    FUZZ_CHECK(!unpacked.isEmpty() && unpacked.size() <= ArchiveCheck::kLimits.entries,
               QString::number(unpacked.size()));
    FUZZ_CHECK(total <= ArchiveCheck::kLimits.totalBytes, QString::number(total));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const QByteArray input = FuzzInput::bytes(data + 1, size - 1);
    const QString archive = scratchFolder() + u"/in.wmz"_s;
    if (data[0] % 2 == 0) {
        writeScratchFile(archive, input);
    } else if (!buildArchive(archive, FuzzInput::fields(input))) {
        return 0;
    }
    const QString box = scratchFolder() + u"/box"_s;
    const QString target = box + u"/target"_s;
    // Qt leaves names that are no UTF-8 behind: the system removes them.
    for (const Listed &file : listing(target)) {
        ::unlink((QFile::encodeName(target + u'/') + file.name).constData());
    }
    QDir(box).removeRecursively();
    QDir().mkpath(box);
    RecordingMessageSink messages;
    const std::optional<QString> wms = WmzUnpacker::unpack(archive, target, messages);
    checkUnpacked(box, target, wms);
    FUZZ_CHECK(wms || !messages.messages.isEmpty(), u"refused without a word"_s);
    return 0;
}
