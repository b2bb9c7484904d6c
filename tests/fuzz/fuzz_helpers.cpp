// The colour, number and path helpers on any text: each answers or raises
// its own error, and the conversions agree with each other and with a few
// exact facts (integers read back, halves go to the even neighbour, a path is
// its folder, a separator and its name). File existence is checked against a
// folder of known files with a matcher of its own.

#include "FuzzSupport.h"
#include "util/AppError.h"
#include "util/Paths.h"
#include "util/clsFunction.h"

#include <QDir>
#include <QtEndian>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// An error number, or 0 when the call returned.
template <typename Call> int errorOf(Call call)
{
    try {
        call();
        return 0;
    } catch (const AppError &e) {
        return e.number();
    }
}

void checkSeparatePath(const QString &separator, const QString &text)
{
    const QString name = clsFunction::getSeparatePath(separator, text, 1);
    QString folder;
    const int error = errorOf([&] { folder = clsFunction::getSeparatePath(separator, text, 0); });
    if (!text.contains(separator)) {
        FUZZ_CHECK(name == text && error == AppError::InvalidArgument, text);
        return;
    }
    FUZZ_CHECK(error == 0, text);
    FUZZ_CHECK(folder + separator + name == text, folder + u" + "_s + name);
    FUZZ_CHECK(separator.isEmpty() || !name.contains(separator), name);
}

void checkPaths(const QString &text)
{
    bool hasFolder = false;
    const QString folder = Paths::beforeLast(text, Paths::separatorText(), &hasFolder);
    FUZZ_CHECK(hasFolder == text.contains(Paths::separator()), text);
    FUZZ_CHECK(!hasFolder || Paths::join(folder, Paths::fileName(text)) == text, text);
}

// Texts as a field holds them: blanks around are allowed, a sign too.
void checkNumbers(const QString &text, qint32 number)
{
    const qint16 value = clsFunction::NulltoZero(text);
    FUZZ_CHECK(clsFunction::NulltoZero(u"  "_s + text + u"\t"_s) == value, text);

    const bool fits = number >= std::numeric_limits<qint16>::min() &&
                      number <= std::numeric_limits<qint16>::max();
    const QString digits = QString::number(number);
    FUZZ_CHECK(clsFunction::NulltoZero(u" "_s + digits + u" "_s) == (fits ? number : 0), digits);
    // number + 0.5 away from zero lies halfway: it goes to the even neighbour.
    const qint64 away = number < 0 ? qint64(number) - 1 : qint64(number) + 1;
    const qint64 even = number % 2 == 0 ? number : away;
    const bool evenFits =
        even >= std::numeric_limits<qint16>::min() && even <= std::numeric_limits<qint16>::max();
    const QString half = digits + u".5"_s;
    FUZZ_CHECK(clsFunction::NulltoZero(half) == (evenFits ? even : 0), half);
}

bool isHexColour(const QString &text)
{
    if (text.size() != 7) {
        return false;
    }
    const QStringView digits = u"0123456789abcdefABCDEF";
    const QStringView pairs = QStringView(text).mid(1);
    return std::all_of(pairs.begin(), pairs.end(), [&](QChar c) { return digits.contains(c); });
}

void checkColours(const QString &text, qint32 number)
{
    qint32 value = 0;
    const int error = errorOf([&] { value = clsFunction::getVBColor(text); });
    FUZZ_CHECK(error == 0 || error == AppError::TypeMismatch, text);
    FUZZ_CHECK(error != 0 || (value >= 0 && value <= 0xFFFFFF), text);
    if (isHexColour(text)) {
        FUZZ_CHECK(error == 0, text);
        FUZZ_CHECK(clsFunction::getRRGGBB(value) == u'#' + text.mid(1).toUpper(), text);
    }

    const QString colour = clsFunction::getRRGGBB(number);
    FUZZ_CHECK(colour.size() == 7 && colour.front() == u'#', colour);
    const qint32 back = clsFunction::getVBColor(colour);
    FUZZ_CHECK(number < 0 || number > 0xFFFFFF || back == number, colour);
    FUZZ_CHECK(clsFunction::getRRGGBB(back) == colour, colour);

    const qint32 rgb = clsFunction::getRGB(number);
    FUZZ_CHECK(rgb >= 0 && rgb <= 0xFFFFFF && clsFunction::getRGB(rgb) == rgb,
               QString::number(number));
    FUZZ_CHECK(number < 0 || rgb == (number & 0xFFFFFF), QString::number(number));
}

// The files VerifyFile may find in the folder below; a hidden file and a
// folder sit beside them and must never count.
const QStringList kVisibleFiles = {u"a.bmp"_s, u"b.BMP"_s, u"skin[1].bmp"_s, u"x y.gif"_s,
                                   u"再生.jpg"_s};

const QString &fileFolder()
{
    static const QString folder = [] {
        const QString path = scratchFolder() + u"/files"_s;
        QDir().mkpath(path + u"/sub.bmp"_s);
        for (const QString &name : kVisibleFiles + QStringList{u".hidden.bmp"_s}) {
            writeScratchFile(path + u'/' + name, "x");
        }
        return path;
    }();
    return folder;
}

// * any run of characters, ? any one character, everything else itself.
bool wildcardMatches(QStringView pattern, QStringView name)
{
    // matches[j]: the pattern read so far matches the first j characters.
    QList<bool> matches(name.size() + 1, false);
    matches[0] = true;
    for (const QChar p : pattern) {
        QList<bool> next(name.size() + 1, false);
        for (qsizetype j = 0; j <= name.size(); ++j) {
            if (p == u'*') {
                next[j] = matches[j] || (j > 0 && next[j - 1]);
            } else if (j > 0) {
                next[j] = matches[j - 1] && (p == u'?' || p == name.at(j - 1));
            }
        }
        matches = next;
    }
    return matches[name.size()];
}

void checkVerifyFile(const QString &name)
{
    if (name.contains(u'/')) {
        return; // the folder part would leave the folder of known files
    }
    bool found = false;
    const int error = errorOf([&] { found = clsFunction::VerifyFile(fileFolder() + u'/' + name); });
    if (name.contains(QChar(u'\0'))) {
        FUZZ_CHECK(error == AppError::InvalidArgument, name);
        return;
    }
    FUZZ_CHECK(error == 0, name);
    const bool expected =
        std::any_of(kVisibleFiles.cbegin(), kVisibleFiles.cend(),
                    [&](const QString &file) { return wildcardMatches(name, file); });
    FUZZ_CHECK(found == expected, name);
}

} // namespace

// Field 0: a number (its first four bytes, little-endian); field 1: a
// separator; every other field is a text for each helper.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QList<QByteArray> fields = FuzzInput::fields(FuzzInput::bytes(data, size));
    QByteArray numberBytes = fields.value(0);
    numberBytes.resize(4, '\0');
    const auto number = qFromLittleEndian<qint32>(numberBytes.constData());
    const QString separator = QString::fromUtf8(fields.value(1));
    fileFolder();

    checkColours(QString(), number);
    // A few texts per input keep the runs fast; the corpus holds the rest.
    constexpr qsizetype kMostTexts = 8;
    for (qsizetype i = 2; i < qMin(fields.size(), 2 + kMostTexts); ++i) {
        const QString text = QString::fromUtf8(fields.at(i));
        checkSeparatePath(separator, text);
        for (const QString &sep : {u"/"_s, u"\\"_s, u"."_s}) {
            checkSeparatePath(sep, text);
        }
        checkPaths(text);
        checkNumbers(text, number);
        checkColours(text, number);
        checkVerifyFile(text);
    }
    return 0;
}
