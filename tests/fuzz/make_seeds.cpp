// Writes the seed corpus of the fuzz targets, one folder per target, with the
// project's own WMS writer, packager pieces and test pictures:
//   fuzz_make_seeds tests/fuzz/seeds

#include "DocumentInput.h"
#include "FuzzSupport.h"
#include "ImageFiles.h"
#include "RecordingMessageSink.h"
#include "WmsFixtures.h"
#include "packaging/ZipCommandLine.h"
#include "packaging/clsZipWrapper.h"

#include <QDir>
#include <QGuiApplication>
#include <QtEndian>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QString g_root;

void seed(const QString &target, const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(g_root + u'/' + target);
    writeScratchFile(g_root + u'/' + target + u'/' + name, bytes);
}

// A skin with the play, stop and close buttons and a volume slider only.
void fillButtonsSkin(clsFileControl &doc)
{
    const auto theme = doc.getElement(Slot::Theme);
    theme->setTitle(u"  Blue  "_s);
    theme->setAuthor(u"青チーム"_s);
    for (const qint16 slot : {Slot::PlayButton, Slot::StopButton, Slot::CloseButton}) {
        const auto button = doc.getElement(slot);
        button->initMember();
        button->setExistFlag(1);
        button->setTop(u"10"_s);
        button->setLeft(QString::number(20 * slot));
        button->setUpimage(u"/pics/b%1.bmp"_s.arg(slot));
        button->setDownimage(u"/pics/b%1 down.bmp"_s.arg(slot));
    }
    const auto volume = doc.getElement(Slot::VolumeSlider);
    volume->initMember();
    volume->setExistFlag(1);
    volume->setWidth(u"100"_s);
    volume->setHeight(u"15"_s);
    volume->setBordersize(u"7.5"_s);
    volume->setTitle(u"tab\there, \"quoted\" <&> line\r\nend"_s);
}

void wmsSeeds()
{
    RecordingMessageSink messages;
    const QString file = scratchFolder() + u"/seed.wms"_s;
    const auto write = [&](const QString &name, auto fill) {
        clsFileControl doc(messages);
        fill(doc);
        if (!doc.writeFile(file, 0)) {
            propertyFailed("write seed", name);
        }
        seed(u"fuzz_wms_reader"_s, name + u".wms"_s, readScratchFile(file));
        seed(u"fuzz_wms_roundtrip"_s, name, FuzzInput::join(DocumentInput::fields(doc)));
    };
    write(u"empty"_s, [](clsFileControl &) {});
    write(u"full"_s, [](clsFileControl &doc) { WmsFixtures::fillFullDocument(doc, u"/pics"_s); });
    write(u"buttons"_s, fillButtonsSkin);
}

void pictureSeeds()
{
    const QString target = u"fuzz_image_header"_s;
    seed(target, u"picture.bmp"_s, ImageFiles::qimageFile(8, 6, "BMP"));
    seed(target, u"picture.png"_s, ImageFiles::qimageFile(8, 6, "PNG"));
    const QByteArray jfif = ImageFiles::jfifJpeg(8, 6);
    seed(target, u"jfif.jpg"_s, jfif);
    seed(target, u"plain.jpg"_s, ImageFiles::plainJpeg(jfif));
    struct Magick {
        QString name;
        QStringList args;
    };
    const Magick made[] = {
        {u"picture.gif"_s, {u"-size"_s, u"8x6"_s, u"xc:blue"_s}},
        {u"progressive.jpg"_s, {u"-size"_s, u"8x6"_s, u"xc:blue"_s, u"-interlace"_s, u"JPEG"_s}},
    };
    for (const Magick &m : made) {
        const QString out = scratchFolder() + u'/' + m.name;
        QString error;
        if (!ImageFiles::convert(m.args + QStringList{out}, &error)) {
            propertyFailed("convert", error);
        }
        seed(target, m.name, readScratchFile(out));
    }
}

// A skin whose background and buttons are the check target's four pictures,
// each seed with them in another form.
void skinCheckSeeds()
{
    RecordingMessageSink messages;
    clsFileControl doc(messages);
    const QString pictures[] = {u"a.bmp"_s, u"b.gif"_s, u"c.jpg"_s, u"d.png"_s};
    doc.getElement(Slot::View)->setUpimage(u"/pics/"_s + pictures[0]);
    const qint16 buttons[] = {Slot::PlayButton, Slot::StopButton, Slot::CloseButton};
    for (int i = 0; i < 3; ++i) {
        const auto button = doc.getElement(buttons[i]);
        button->setExistFlag(1);
        button->setTop(u"2"_s);
        button->setLeft(QString::number(6 * i));
        button->setUpimage(u"/pics/"_s + pictures[i + 1]);
    }
    const QString file = scratchFolder() + u"/check.wms"_s;
    if (!doc.writeFile(file, 0)) {
        propertyFailed("write seed", file);
    }
    const QByteArray wms = readScratchFile(file);
    const QString gif = scratchFolder() + u"/seed.gif"_s;
    const QString progressive = scratchFolder() + u"/seed.jpg"_s;
    QString error;
    if (!ImageFiles::convert({u"-size"_s, u"6x4"_s, u"xc:red"_s, gif}, &error) ||
        !ImageFiles::convert(
            {u"-size"_s, u"6x4"_s, u"xc:red"_s, u"-interlace"_s, u"JPEG"_s, progressive}, &error)) {
        propertyFailed("convert", error);
    }
    const QByteArray bmp = ImageFiles::qimageFile(24, 16, "BMP");
    const QByteArray png = ImageFiles::qimageFile(6, 4, "PNG");
    const QString target = u"fuzz_skin_check"_s;
    seed(target, u"skin"_s,
         FuzzInput::join({wms, bmp, readScratchFile(gif), ImageFiles::jfifJpeg(6, 4), png}));
    seed(target, u"progressive"_s,
         FuzzInput::join({wms, bmp, readScratchFile(gif), readScratchFile(progressive), png}));
}

QByteArray utf8Fields(const QStringList &texts)
{
    QList<QByteArray> fields;
    for (const QString &text : texts) {
        fields.append(text.toUtf8());
    }
    return FuzzInput::join(fields);
}

void archiverSeeds()
{
    const QString target = u"fuzz_archiver"_s;
    namespace Zcl = ZipCommandLine;
    seed(target, u"command"_s,
         Zcl::makeCommandLine(u"/s/blue/blue.wmz"_s, u"/s/blue/"_s, {u"@/tmp/0abc.tmp"_s})
             ->toUtf8());
    seed(target, u"command-quoted"_s,
         Zcl::makeCommandLine(u"/my skins/a,b.wmz"_s, u"/my skins/"_s, {u"@/t m/0a.tmp"_s})
             ->toUtf8());
    seed(target, u"list"_s,
         Zcl::encodeList(*Zcl::makeListText(
             {u"play.bmp"_s, u"my button.bmp"_s, u"再生.bmp"_s, u"a,b.bmp"_s}, u"skin.wms"_s)));
    seed(target, u"list-utf8"_s,
         Zcl::encodeList(*Zcl::makeListText({u"Café.bmp"_s, u"\"x\""_s}, u"my skin.wms"_s)));
    seed(target, u"names"_s,
         utf8Fields({u"skin.wms"_s, u"play.bmp"_s, u"my button.bmp"_s, u"\"x\""_s, u"再生.bmp"_s}));
    seed(target, u"pieces"_s,
         utf8Fields({u"/s/blue/blue.wmz"_s, u"/s/blue/"_s, u"@/tmp/0abc.tmp"_s, u"x y.bmp"_s}));
}

// A skin packed by the project's own packager, as its bytes; and entries as
// fields (name, contents, kind), a sound skin and hostile ones.
void unpackerSeeds()
{
    const QString target = u"fuzz_unpacker"_s;
    RecordingMessageSink messages;
    const QString folder = scratchFolder() + u"/unpacker"_s;
    QDir().mkpath(folder);
    const QByteArray picture = ImageFiles::qimageFile(8, 6, "BMP");
    writeScratchFile(folder + u"/play.bmp"_s, picture);
    clsFileControl doc(messages);
    for (const qint16 slot : {Slot::View, Slot::PlayButton}) {
        const auto record = doc.getElement(slot);
        record->initMember();
        record->setExistFlag(1);
        record->setUpimage(folder + u"/play.bmp"_s);
    }
    if (!doc.writeFile(folder + u"/skin.wms"_s, 0)) {
        propertyFailed("write seed", u"skin.wms"_s);
    }
    clsZipWrapper packer(messages);
    if (packer.makeZipFile(u"skin.wms"_s, folder).isEmpty()) {
        propertyFailed("pack seed", messages.messages.value(0).text);
    }
    seed(target, u"packed"_s, QByteArray(1, '\0') + readScratchFile(folder + u"/skin.wmz"_s));
    const QByteArray wms = readScratchFile(folder + u"/skin.wms"_s);
    const auto entries = [](const QList<QByteArray> &fields) {
        return QByteArray(1, '\1') + FuzzInput::join(fields);
    };
    seed(target, u"entries"_s, entries({"skin.wms", wms, "\0", "play.bmp", picture, "\x80"}));
    seed(target, u"hostile"_s,
         entries({"skin.wms", wms, "\0", "../play.bmp", picture, "\0", "link.bmp", "/etc/passwd",
                  "\1", "Play.BMP", picture, "\0", "sub/", "", "\2"}));
    // A name longer than a folder takes, after entries that fit.
    seed(target, u"long-name"_s,
         entries({"skin.wms", wms, "\0", "play.bmp", picture, "\0", QByteArray(300, 'a') + ".bmp",
                  picture, "\0"}));
}

void helperSeeds()
{
    QByteArray number(4, '\0');
    qToLittleEndian<qint32>(0x3CAB12, number.data());
    const QByteArray texts = utf8Fields({u"\\"_s, u"#12AB3C"_s, u"#12ab3c"_s, u" 12 "_s, u"2.5"_s,
                                         u"-32768"_s, u"C:\\skins\\a.wms"_s, u"x.tar.gz"_s,
                                         u"*.bmp"_s, u"skin[1].bmp"_s, u"?.BMP"_s});
    seed(u"fuzz_helpers"_s, u"texts"_s, number + FuzzInput::kFieldSeparator + texts);
}

} // namespace

int main(int argc, char **argv)
{
    // Offscreen: the pictures need QtGui, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds <seeds folder>\n");
        return 2;
    }
    g_root = QFile::decodeName(argv[1]);
    wmsSeeds();
    pictureSeeds();
    skinCheckSeeds();
    archiverSeeds();
    helperSeeds();
    unpackerSeeds();
    return 0;
}
