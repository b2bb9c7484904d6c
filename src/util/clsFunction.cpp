#include "clsFunction.h"

#include "AppError.h"
#include "Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

void rejectImpossiblePath(const QString &path)
{
    if (path.contains(QChar(u'\0'))) {
        throw AppError(AppError::InvalidArgument, u"path holds a NUL character"_s);
    }
}

bool hasWildcard(QStringView name)
{
    return name.contains(u'*') || name.contains(u'?');
}

qsizetype charLength(QStringView text, qsizetype at)
{
    return at + 1 < text.size() && text.at(at).isHighSurrogate() && text.at(at + 1).isLowSurrogate()
               ? 2
               : 1;
}

// * matches any run of characters, ? any one character; brackets and every
// other character match themselves, so "skin[1].bmp" finds exactly that file.
// Each star is taken back at most once per character of the name: a pattern
// full of stars stays quick, where a regular expression gave up and answered
// "no match".
bool wildcardMatches(QStringView pattern, QStringView name)
{
    qsizetype p = 0;
    qsizetype n = 0;
    qsizetype star = -1;  // the pattern position after the last star
    qsizetype resume = 0; // where the name goes on when that star takes one more
    while (n < name.size()) {
        if (p < pattern.size() && pattern.at(p) == u'*') {
            star = ++p;
            resume = n;
        } else if (p < pattern.size() && pattern.at(p) == u'?') {
            ++p;
            n += charLength(name, n);
        } else if (p < pattern.size() && pattern.at(p) == name.at(n)) {
            ++p;
            ++n;
        } else if (star >= 0) {
            p = star;
            resume += charLength(name, resume);
            n = resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern.at(p) == u'*') {
        ++p;
    }
    return p == pattern.size();
}

QDir::Filters listedFiles()
{
    // No Hidden and no System: ordinary files only, as a directory search lists them.
    QDir::Filters filters = QDir::Files;
#ifndef Q_OS_WIN
    filters |= QDir::CaseSensitive;
#endif
    return filters;
}

// The folder part of a path for listing: "." without one, the root for "/name".
QString folderToList(const QString &path, QString *name)
{
    bool hasFolder = false;
    QString folder = Paths::beforeLast(path, Paths::separatorText(), &hasFolder);
    *name = Paths::afterLast(path, Paths::separatorText());
    if (!hasFolder) {
        return u"."_s;
    }
    return folder.isEmpty() ? Paths::separatorText() : folder;
}

qint32 roundHalfToEven(double value)
{
    const double floorValue = std::floor(value);
    const double fraction = value - floorValue;
    double rounded = floorValue;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floorValue, 2.0) != 0.0)) {
        rounded += 1.0;
    }
    return static_cast<qint32>(rounded);
}

bool isHexDigits(QStringView text)
{
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool hex =
            (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
        if (!hex) {
            return false;
        }
    }
    return true;
}

// Characters start..start+count-1 (1-based) of text; shorter or empty past the end.
QString mid1(const QString &text, qsizetype start, qsizetype count)
{
    if (start > text.size()) {
        return {};
    }
    return text.mid(start - 1, count);
}

} // namespace

bool isListedFile(const QString &path)
{
    rejectImpossiblePath(path);
    if (path.isEmpty()) {
        return false;
    }
    const QFileInfo info(path);
    // isFile() follows links and is false for folders, devices, sockets and pipes.
    return info.isFile() && !info.isHidden();
}

QString clsFunction::getSeparatePath(const QString &strSarchchar, const QString &strSarchstring,
                                     qint16 intMode)
{
    if (intMode == 1) {
        return Paths::afterLast(strSarchstring, strSarchchar);
    }
    bool found = false;
    QString before = Paths::beforeLast(strSarchstring, strSarchchar, &found);
    if (!found) {
        throw AppError(AppError::InvalidArgument, u"separator not found"_s);
    }
    return before;
}

bool clsFunction::VerifyFile(const QString &strPass)
{
    if (strPass.isEmpty()) {
        return false;
    }
    rejectImpossiblePath(strPass);
    QString name;
    const QString folder = folderToList(strPass, &name);
    if (!hasWildcard(name)) {
        return isListedFile(strPass);
    }
    if (hasWildcard(folder)) {
        // Wildcards select files, never folders.
        return false;
    }
    const QStringList entries = QDir(folder).entryList(listedFiles(), QDir::Unsorted);
    return std::any_of(entries.cbegin(), entries.cend(),
                       [&](const QString &entry) { return wildcardMatches(name, entry); });
}

qint16 clsFunction::toInteger16(const QString &text)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value)) {
        throw AppError(AppError::TypeMismatch, u"not a number: "_s + text);
    }
    // Anything beyond twice the 16-bit range cannot round into it; this also
    // keeps huge values away from the integer conversion.
    const qint32 rounded =
        std::fabs(value) > 65536.0 ? std::numeric_limits<qint32>::max() : roundHalfToEven(value);
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max()) {
        throw AppError(AppError::Overflow, u"out of 16-bit range: "_s + text);
    }
    return static_cast<qint16>(rounded);
}

qint16 clsFunction::NulltoZero(const QString &strString)
{
    return tryValue([&] { return toInteger16(strString); }).value_or(0);
}

qint32 clsFunction::getRGB(qint32 color)
{
    // Division truncates toward zero, so a negative value keeps the same bytes
    // the window system would take from it.
    const qint32 red = color & 255;
    const qint32 green = (color / 256) & 255;
    const qint32 blue = (color / 65536) & 255;
    return red + 256 * green + 65536 * blue;
}

qint32 clsFunction::getVBColor(const QString &strColor)
{
    // The first character (normally "#") is not looked at; a short text gives
    // short pairs, as the pairs are taken position by position.
    const QString red = mid1(strColor, 2, 2);
    const QString green = mid1(strColor, 4, 2);
    const QString blue = mid1(strColor, 6, 2);
    const QString digits = blue + green + red;
    if (!isHexDigits(digits)) {
        throw AppError(AppError::TypeMismatch, u"not a colour: "_s + strColor);
    }
    bool ok = false;
    const qint32 value = static_cast<qint32>(digits.toUInt(&ok, 16));
    if (!ok) {
        throw AppError(AppError::TypeMismatch, u"not a colour: "_s + strColor);
    }
    return value;
}

std::optional<qint32> clsFunction::tryColour(const QString &strColor)
{
    return tryValue([&] { return getVBColor(strColor); });
}

QString clsFunction::getRRGGBB(qint32 lngColor)
{
    // A negative value is written as its eight-digit two's complement.
    QString hex = QString::number(static_cast<quint32>(lngColor), 16).toUpper();
    if (hex.size() < 6) {
        hex = hex.rightJustified(6, u'0');
    }
    return u"#"_s + mid1(hex, 5, 2) + mid1(hex, 3, 2) + mid1(hex, 1, 2);
}

QString clsFunction::trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ') {
        ++first;
    }
    while (last > first && text.at(last - 1) == u' ') {
        --last;
    }
    return text.mid(first, last - first);
}
