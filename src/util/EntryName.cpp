#include "EntryName.h"

#include <algorithm>
#include <iterator>

using namespace Qt::StringLiterals;

namespace {

// Windows opens these as devices, whatever extension follows them.
constexpr QStringView kDeviceNames[] = {u"CON", u"PRN", u"AUX", u"NUL"};
// Each followed by one digit 1 to 9 (or the superscripts ¹ ² ³, which Windows
// also takes as those digits).
constexpr QStringView kNumberedDevices[] = {u"COM", u"LPT"};
constexpr QStringView kDeviceDigits = u"123456789\u00B9\u00B2\u00B3";

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

bool isDriveStart(QStringView name)
{
    return name.size() >= 2 && name.at(1) == u':' && name.at(0).unicode() < 128 &&
           name.at(0).isLetter();
}

// The part Windows compares with its device names: before the first dot,
// without the blanks it drops there ("CON .bmp" is CON).
QStringView deviceStem(QStringView name)
{
    QStringView stem = name.left(name.indexOf(u'.'));
    while (stem.endsWith(u' ')) {
        stem.chop(1);
    }
    return stem;
}

bool isDeviceName(QStringView name)
{
    const QStringView stem = deviceStem(name);
    const auto same = [&](QStringView device) {
        return stem.compare(device, Qt::CaseInsensitive) == 0;
    };
    if (std::any_of(std::begin(kDeviceNames), std::end(kDeviceNames), same)) {
        return true;
    }
    return stem.size() == 4 && kDeviceDigits.contains(stem.back()) &&
           std::any_of(std::begin(kNumberedDevices), std::end(kNumberedDevices),
                       [&](QStringView device) {
                           return stem.left(3).compare(device, Qt::CaseInsensitive) == 0;
                       });
}

} // namespace

std::optional<QString> unsafeEntryNameReason(QStringView name)
{
    if (name.isEmpty()) {
        return u"名前が空です"_s;
    }
    const auto control = std::find_if(name.begin(), name.end(), isControl);
    if (control != name.end()) {
        const QString code = QString::number(control->unicode(), 16).toUpper();
        return u"制御文字（U+%1）を含みます"_s.arg(code.rightJustified(4, u'0'));
    }
    if (name.front() == u'/' || name.front() == u'\\') {
        return u"絶対パスです"_s;
    }
    if (isDriveStart(name)) {
        return u"ドライブ（%1）を指定しています"_s.arg(name.left(2).toString().toUpper());
    }
    if (name.contains(u'\\')) {
        return u"フォルダの区切り（\\）を含みます"_s;
    }
    if (name.contains(u'/')) {
        return u"フォルダの区切り（/）を含みます"_s;
    }
    if (name.contains(u':')) {
        return u"コロン（:）を含みます"_s;
    }
    if (std::all_of(name.begin(), name.end(), [](QChar c) { return c == u'.'; })) {
        return u"ドットだけの名前です"_s;
    }
    if (name.back() == u'.') {
        return u"末尾がドットです"_s;
    }
    if (name.back() == u' ') {
        return u"末尾が空白です"_s;
    }
    if (isDeviceName(name)) {
        return u"デバイス名（%1）です"_s.arg(deviceStem(name).toString().toUpper());
    }
    return std::nullopt;
}

QString caseTwinReason(const QString &other)
{
    return u"「%1」と大文字と小文字だけが違う名前です"_s.arg(other);
}

std::optional<QString> NamesByCase::meet(const QString &name)
{
    const QString folded = name.toCaseFolded();
    if (const auto first = m_first.constFind(folded); first != m_first.cend()) {
        return *first;
    }
    m_first.insert(folded, name);
    return std::nullopt;
}
