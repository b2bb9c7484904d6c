#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The code page of WMS files and list files: windows-31j, whatever the locale.
namespace AnsiText {

inline constexpr char kCrLf[] = "\r\n";

// Encodes text; characters the code page cannot hold become "?".
QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

// What text reads back as once written in the code page, when that differs
// from the text itself; nothing when every character survives.
std::optional<QString> changedByEncoding(const QString &text);

// Splits text into lines ending at CR LF, a lone CR or a lone LF. A final line
// end does not start another line.
QStringList splitLines(const QString &text);

} // namespace AnsiText
