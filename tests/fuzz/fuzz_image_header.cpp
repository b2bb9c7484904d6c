// The image header reader on any bytes, in every mode and through every
// reader: the modes agree with one another and with the readers, and no
// answer depends on bytes past the end of the data.

#include "FuzzSupport.h"
#include "util/AppError.h"
#include "util/GetImage.h"

#include <QFile>
#include <array>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// What a call gave: a size, or the number of the error it raised.
struct Outcome {
    ImageSize size;
    int error = 0;

    bool isNothing() const { return error == 0 && size == ImageSize(); }
    friend bool operator==(const Outcome &, const Outcome &) = default;
};

template <typename Call> Outcome outcomeOf(Call call)
{
    try {
        return {call(), 0};
    } catch (const AppError &e) {
        return {{}, e.number()};
    }
}

QString describe(const Outcome &o)
{
    return u"{%1, %2, %3} error %4"_s.arg(o.size.format)
        .arg(o.size.width)
        .arg(o.size.height)
        .arg(o.error);
}

using Reader = ImageSize (*)(const QString &);

struct Format {
    qint32 number;
    Reader reader;
    qsizetype headerBytes; // 0: the reader walks the whole file
};

constexpr std::array<Format, 4> kFormats{{
    {1, &getBmpSize, 54},
    {2, &getGifSize, 13},
    {3, &getJpegSize, 0},
    {4, &getPngSize, 29},
}};

// Names that mode 5 goes by, with the format each must pick; 0 for none.
struct Named {
    QStringView name;
    qint32 format;
};
constexpr Named kNames[] = {
    {u"pic.bmp", 1}, {u"pic.gif", 2}, {u"pic.jpg", 3}, {u"PIC.JPEG", 3},
    {u"pic.png", 4}, {u"pic.tif", 0}, {u"pic", 0},
};

QString scratchPath(QStringView name)
{
    return scratchFolder() + u'/' + name.toString();
}

// One file under every name of kNames: hard links see what is written to "pic".
void linkNames()
{
    static const bool linked = [] {
        writeScratchFile(scratchPath(u"pic"), {});
        for (const Named &named : kNames) {
            const QString path = scratchPath(named.name);
            if (named.name != u"pic" && !QFile::exists(path) &&
                ::link(QFile::encodeName(scratchPath(u"pic")).constData(),
                       QFile::encodeName(path).constData()) != 0) {
                propertyFailed("link", path);
            }
        }
        return true;
    }();
    Q_UNUSED(linked)
}

void checkReaderOutcome(const Format &format, const Outcome &o, qsizetype size)
{
    // Header values of 2^31 or more overflow; only a JPEG frame header can be cut off.
    FUZZ_CHECK(o.error == 0 || o.error == AppError::Overflow ||
                   (format.number == 3 && o.error == AppError::SubscriptOutOfRange),
               describe(o));
    FUZZ_CHECK(o.size == ImageSize() ||
                   (o.size.format == format.number && o.size.width >= 0 && o.size.height >= 0),
               describe(o));
    FUZZ_CHECK(size >= 2 || o.isNothing(), describe(o));
}

// Bytes past the end read as zero for the fixed headers, and a header that
// fits in the data gives the same answer whatever follows it.
void checkEndOfData(const Format &format, const QByteArray &data, const Outcome &o)
{
    const QString padded = scratchPath(u"padded");
    const QString longer = scratchPath(u"longer");
    if (format.headerBytes > 0 && data.size() >= 2 && data.size() < format.headerBytes) {
        writeScratchFile(padded, data + QByteArray(format.headerBytes - data.size(), '\0'));
        const Outcome p = outcomeOf([&] { return format.reader(padded); });
        FUZZ_CHECK(p == o, describe(o) + u" padded with zeros: "_s + describe(p));
    }
    const bool headerInData =
        format.headerBytes > 0 ? data.size() >= format.headerBytes : o.error == 0 && !o.isNothing();
    if (headerInData) {
        writeScratchFile(longer, data + QByteArray(64, '\xA5'));
        const Outcome l = outcomeOf([&] { return format.reader(longer); });
        FUZZ_CHECK(l == o, describe(o) + u" with more bytes after: "_s + describe(l));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *raw, std::size_t size)
{
    linkNames();
    const QByteArray data = FuzzInput::bytes(raw, size);
    const QString pic = scratchPath(u"pic");
    writeScratchFile(pic, data);

    std::array<Outcome, kFormats.size()> byReader;
    const Outcome *recognised = nullptr;
    for (std::size_t i = 0; i < kFormats.size(); ++i) {
        const Format &format = kFormats[i];
        byReader[i] = outcomeOf([&] { return format.reader(pic); });
        checkReaderOutcome(format, byReader[i], data.size());
        // The signatures exclude one another: at most one reader sees a picture.
        if (!byReader[i].isNothing()) {
            FUZZ_CHECK(recognised == nullptr,
                       describe(*recognised) + u" and "_s + describe(byReader[i]));
            recognised = &byReader[i];
        }
        const Outcome mode = outcomeOf([&] { return getImageSize(pic, format.number); });
        FUZZ_CHECK(mode == byReader[i], u"mode %1: "_s.arg(format.number) + describe(mode));
    }

    const Outcome byContent = outcomeOf([&] { return getImageSize(pic, 0); });
    FUZZ_CHECK(byContent == (recognised ? *recognised : Outcome()), describe(byContent));

    // One name and one unknown mode per input, picked by its length: the
    // corpus covers them all, and each input costs fewer file reads.
    const Named &named = kNames[std::size_t(data.size()) % std::size(kNames)];
    const Outcome byName = outcomeOf([&] { return getImageSize(scratchPath(named.name), 5); });
    const Outcome expected = named.format ? byReader[named.format - 1] : Outcome();
    FUZZ_CHECK(byName == expected, named.name.toString() + u": "_s + describe(byName));
    const qint32 unknownModes[] = {-1, 6, 7};
    const qint32 mode = unknownModes[std::size_t(data.size()) % std::size(unknownModes)];
    const Outcome none = outcomeOf([&] { return getImageSize(pic, mode); });
    FUZZ_CHECK(none.isNothing(), u"mode %1: "_s.arg(mode) + describe(none));

    // Without a signature no added byte can make one: the first four decide.
    if (recognised) {
        const std::size_t i = std::size_t(recognised - byReader.data());
        checkEndOfData(kFormats[i], data, byReader[i]);
    }
    return 0;
}
