#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Small stateless helpers the editor keeps one instance of: path splitting,
// file existence, field text to number, and the two colour forms (#RRGGBB text
// in records and WMS files, 0x00BBGGRR values for controls and drawing).
// Errors that the caller must handle are thrown as AppError.
class clsFunction {
public:
    // intMode 1: the text after the last strSarchchar (the whole text when
    // absent). Any other mode: the text before it; AppError 5 when absent.
    static QString getSeparatePath(const QString &strSarchchar, const QString &strSarchstring,
                                   qint16 intMode);
    // True when an ordinary, non-hidden file matches strPass, whose file name
    // part may hold the wildcards * and ?. False for "".
    static bool VerifyFile(const QString &strPass);
    // Text as a 16-bit number: blanks and a sign allowed, fractions rounded
    // half to even. AppError 13 for a text that is no number ("" included),
    // 6 for a number beyond 16 bits.
    static qint16 toInteger16(const QString &text);
    // The same, but 0 for "" and for anything that is not such a number.
    static qint16 NulltoZero(const QString &strString);
    // Keeps the three colour bytes of a window colour value, dropping the top byte.
    static qint32 getRGB(qint32 color);
    // "#RRGGBB" to 0x00BBGGRR; AppError 13 when the text holds no hexadecimal number.
    static qint32 getVBColor(const QString &strColor);
    // The same, or nothing for a text that is no colour.
    static std::optional<qint32> tryColour(const QString &strColor);
    // 0x00BBGGRR to "#RRGGBB".
    static QString getRRGGBB(qint32 lngColor);
    // The text without leading and trailing blanks. Only the ordinary blank
    // counts: an ideographic space or a tab is the author's own and stays.
    static QString trimBlanks(const QString &text);
};

// True when path names, literally (no wildcards), an ordinary file that a
// directory listing shows: not a folder, not hidden, not a device or socket.
// AppError 5 for a path no file system can hold (an embedded NUL).
bool isListedFile(const QString &path);
