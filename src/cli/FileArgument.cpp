#include "Commands.h"
#include "Console.h"
#include "util/AnsiText.h"
#include "util/UserFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cerrno>
#include <climits>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

std::optional<QString> fromUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    return decoder.hasError() ? std::nullopt : std::optional(text);
}

// A name in bytes that are no UTF-8: read as windows-31j when they are that
// code page's bytes of some text, which UserFile then finds them by.
std::optional<QString> nameText(const QByteArray &bytes)
{
    if (const std::optional<QString> text = fromUtf8(bytes)) {
        return text;
    }
    const QString text = AnsiText::decode(bytes);
    return AnsiText::encode(text) == bytes ? std::optional(text) : std::nullopt;
}

// The folders reached through descriptors, and how their arguments read.
QList<std::pair<QString, QString>> &descriptorFolders()
{
    static QList<std::pair<QString, QString>> folders;
    return folders;
}

// A folder in bytes that are no UTF-8 has no name the program can spell: it
// is reached through a descriptor of it, open for the rest of the run.
std::optional<QString> folderText(const QByteArray &bytes)
{
    if (const std::optional<QString> text = fromUtf8(bytes)) {
        return text;
    }
#ifdef Q_OS_LINUX
    const int fd = ::open(bytes.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        const QString folder = u"/proc/self/fd/%1/"_s.arg(fd);
        descriptorFolders().append({folder, shownArgument(bytes)});
        return folder;
    }
#endif
    return std::nullopt;
}

// The current folder, when the system can say it; *tooLong when its path is
// longer than the system's paths may be.
std::optional<QString> currentFolder(bool *tooLong)
{
#ifdef Q_OS_UNIX
    QByteArray buffer(PATH_MAX + 1, '\0');
    if (!::getcwd(buffer.data(), size_t(buffer.size()))) {
        *tooLong = errno == ERANGE || errno == ENAMETOOLONG;
        return std::nullopt;
    }
    return QFile::decodeName(buffer.constData());
#else
    *tooLong = false;
    return QDir::currentPath();
#endif
}

} // namespace

QString shownArgument(const QByteArray &argument)
{
    return QString::fromLocal8Bit(argument);
}

QString shownPath(const QString &text)
{
    QString shownText = text;
    for (const auto &[folder, shown] : descriptorFolders()) {
        shownText.replace(folder, shown);
    }
    return shownText;
}

std::optional<QString> fileArgumentPath(const QByteArray &argument, FileUse use, Console &console)
{
    const auto fail = [&](const QString &reason) {
        console.err() << terminalText(u"velmora: "_s + shownArgument(argument) + u": "_s + reason)
                      << u'\n';
        return std::nullopt;
    };
    if (argument.isEmpty()) {
        return fail(UserFile::refusalText(UserFile::Refusal::Missing));
    }
    const qsizetype cut = argument.lastIndexOf('/') + 1;
    if (use == FileUse::Written && !fromUtf8(argument.mid(cut))) {
        return fail(u"書き出すファイルの名前は UTF-8 で指定してください"_s);
    }
    const std::optional<QString> name = nameText(argument.mid(cut));
    if (!name) {
        return fail(u"名前のバイト列が UTF-8 でも windows-31j でもありません"_s);
    }
    QString folder;
    if (cut > 0) {
        const std::optional<QString> text = folderText(argument.left(cut));
        if (!text) {
            return fail(u"フォルダが見つかりません"_s);
        }
        folder = *text;
    }
    if (!QDir::isAbsolutePath(folder)) {
        bool tooLong = false;
        const std::optional<QString> current = currentFolder(&tooLong);
        if (!current) {
            return fail(tooLong ? u"現在のフォルダのパスがシステムの扱える長さを超えています"_s
                                : u"現在のフォルダが分かりません"_s);
        }
        folder = folder.isEmpty() ? *current : QDir(*current).filePath(folder);
    }
    // A ".." after a link leads to the parent of the link's target, which only
    // the system can tell; read as text it would lead somewhere else.
    if (QDir::fromNativeSeparators(folder).split(u'/').contains(u".."_s)) {
        if (const QString real = QFileInfo(folder).canonicalFilePath(); !real.isEmpty()) {
            folder = real;
        }
    }
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(folder).filePath(*name)));
}

std::optional<QString> folderArgumentPath(const QByteArray &argument, Console &console)
{
#ifdef Q_OS_UNIX
    struct stat info {};
    if (argument.isEmpty() || ::stat(argument.constData(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return std::nullopt;
    }
    // The folder as the folder part of a path with no name after it.
    return fileArgumentPath(argument.endsWith('/') ? argument : argument + '/', FileUse::Read,
                            console);
#else
    Q_UNUSED(console);
    const QFileInfo info(QFile::decodeName(argument));
    return info.isDir() ? std::optional(QDir::toNativeSeparators(info.absoluteFilePath()))
                        : std::nullopt;
#endif
}

QString skinFileArgument(const QByteArray &argument, Console &console)
{
    const std::optional<QString> path = fileArgumentPath(argument, FileUse::Read, console);
    if (!path) {
        return {};
    }
    if (const std::optional<UserFile::Refusal> why = UserFile::refusal(*path)) {
        console.err() << terminalText(u"velmora: "_s + shownArgument(argument) + u": "_s +
                                      UserFile::refusalText(*why))
                      << u'\n';
        return {};
    }
    return *path;
}
