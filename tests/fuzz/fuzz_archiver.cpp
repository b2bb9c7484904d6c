// The built-in archiver's command line and list file. Any input is read as a
// command line and as a list file: what is accepted is complete and reads the
// same once written out again. Its fields are read as file names and command
// pieces: what the packager writes reads back as the same names, and what it
// cannot write it refuses.

#include "FuzzSupport.h"
#include "packaging/ZipCommandLine.h"

#include <QFile>

using namespace Qt::StringLiterals;
namespace Zcl = ZipCommandLine;

namespace {

QString show(const QStringList &list)
{
    return u"["_s + list.join(u"|"_s) + u']';
}

QString show(const Zcl::Command &c)
{
    return c.archive + u" | "_s + c.baseFolder + u" | lists "_s + show(c.listFiles) + u" names "_s +
           show(c.names);
}

bool sameCommand(const Zcl::Command &a, const Zcl::Command &b)
{
    return a.archive == b.archive && a.baseFolder == b.baseFolder && a.listFiles == b.listFiles &&
           a.names == b.names;
}

// The pieces after the base folder, lists first, as makeCommandLine takes them.
QStringList filesOf(const Zcl::Command &c)
{
    QStringList files;
    for (const QString &list : c.listFiles) {
        files.append(u'@' + list);
    }
    return files + c.names;
}

// The command line as it reaches the archiver: through the file-name encoding.
std::optional<Zcl::Command> parseAsArchiver(const QString &line)
{
    return Zcl::parse(QFile::decodeName(QFile::encodeName(line)));
}

void checkCommandLine(const QString &line)
{
    const std::optional<Zcl::Command> c = Zcl::parse(line);
    if (!c) {
        return;
    }
    FUZZ_CHECK(!c->archive.isEmpty() && !c->archive.startsWith(u'-'), show(*c));
    FUZZ_CHECK(c->baseFolder.endsWith(u'/'), show(*c));
    FUZZ_CHECK(!c->listFiles.isEmpty() || !c->names.isEmpty(), show(*c));
    FUZZ_CHECK(!c->listFiles.contains(QString()) && !c->names.contains(QString()), show(*c));
    const std::optional<QString> again =
        Zcl::makeCommandLine(c->archive, c->baseFolder, filesOf(*c));
    if (again) {
        const std::optional<Zcl::Command> reread = parseAsArchiver(*again);
        FUZZ_CHECK(reread && sameCommand(*reread, *c), *again);
    }
}

void checkListFile(const QByteArray &bytes)
{
    const QStringList names = Zcl::listNames(Zcl::decodeList(bytes));
    FUZZ_CHECK(!names.contains(QString()), show(names));
    if (names.isEmpty()) {
        return;
    }
    const std::optional<QString> text =
        Zcl::makeListText(names.mid(0, names.size() - 1), names.last());
    FUZZ_CHECK(text, show(names));
    const QStringList again = Zcl::listNames(Zcl::decodeList(Zcl::encodeList(*text)));
    FUZZ_CHECK(again == names, show(names) + u" came back as "_s + show(again));
}

// A name a file can have here: not empty, no separator, no NUL, not . or ..
bool isFileName(const QString &name)
{
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(QChar(u'\0')) &&
           name != u"."_s && name != u".."_s;
}

bool holdsLineBreak(const QString &name)
{
    return name.contains(u'\r') || name.contains(u'\n');
}

void checkListRoundTrip(const QStringList &texts)
{
    if (texts.isEmpty() || !isFileName(texts.first())) {
        return;
    }
    const QString wms = texts.first();
    QStringList images;
    for (const QString &name : texts.mid(1)) {
        if (isFileName(name)) {
            images.append(name);
        }
    }
    const std::optional<QString> text = Zcl::makeListText(images, wms);
    const bool writable =
        !holdsLineBreak(wms) && std::none_of(images.cbegin(), images.cend(), holdsLineBreak);
    FUZZ_CHECK(text.has_value() == writable, show(images) + u' ' + wms);
    if (!text) {
        return;
    }
    const QStringList names = Zcl::listNames(Zcl::decodeList(Zcl::encodeList(*text)));
    FUZZ_CHECK(names == images + QStringList{wms},
               show(images) + u' ' + wms + u" came back as "_s + show(names));
}

// No quote and no empty piece: nothing the command line could misread.
bool isPlainPiece(const QString &piece)
{
    return !piece.isEmpty() && !piece.contains(u'"') && piece != u"@"_s;
}

void checkCommandRoundTrip(const QStringList &texts)
{
    if (texts.size() < 3) {
        return;
    }
    const QString archive = texts.at(0);
    const QString base = texts.at(1);
    const QStringList files = texts.mid(2);
    Zcl::Command expected{archive, base, {}, {}};
    for (const QString &file : files) {
        if (file.startsWith(u'@')) {
            expected.listFiles.append(file.mid(1));
        } else {
            expected.names.append(file);
        }
    }
    const std::optional<QString> line = Zcl::makeCommandLine(archive, base, files);
    if (line) {
        const std::optional<Zcl::Command> c = parseAsArchiver(*line);
        FUZZ_CHECK(c && sameCommand(*c, expected), *line);
        return;
    }
    // Refusing is for pieces the line cannot carry, never for plain ones.
    const bool plain = isPlainPiece(archive) && !archive.startsWith(u'-') && isPlainPiece(base) &&
                       base.endsWith(u'/') &&
                       std::all_of(files.cbegin(), files.cend(), isPlainPiece);
    FUZZ_CHECK(!plain, show(texts));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input = FuzzInput::bytes(data, size);
    checkCommandLine(QFile::decodeName(input));
    checkListFile(input);
    const QStringList texts = FuzzInput::texts(input);
    checkListRoundTrip(texts);
    checkCommandRoundTrip(texts);
    return 0;
}
