#include "PackFailure.h"

#include "packaging/Archiver.h"

#include <QDir>
#include <iterator>

using namespace Qt::StringLiterals;

namespace {

using Kind = PackFailure::Kind;

// %1 the subject, %2 the detail.
struct Text {
    Kind kind;
    QStringView format;
};

constexpr Text kTexts[] = {
    {Kind::SkinUnreadable, u"スキンファイルを読み込めません（%2）：%1"},
    {Kind::ImageUnusable, u"スキンの画像ファイルを圧縮できません（%2）：%1"},
    {Kind::OwnArchiveAsImage, u"スキンがWMZファイル自身を画像に指定しています：%1"},
    {Kind::OutsideLink, u"スキンのフォルダの外を指すリンクは圧縮できません\r\n%1"},
    {Kind::LineBreakInName, u"改行を含む名前は圧縮できません：%1"},
    {Kind::NameNotCarried, u"引用符の後に空白が続く名前は圧縮プログラムに渡せません：%1"},
    {Kind::TemporaryFolder, u"一時フォルダにファイルを作成できません：%1"},
    {Kind::UnsafeName, u"WMZファイルに入れられない名前です（%2）：%1"},
    {Kind::PackRunning,
     u"このスキンのWMZファイルを別の処理が作成しています。終わってからやり直してください：%1"},
    {Kind::PlaceNotAFile, u"WMZファイルの場所に、通常のファイルではないもの（フォルダ、パイプ、デバ"
                          u"イス）があります：%1"},
    {Kind::BeyondUnpacking, u"WMZファイルにすると展開できません（%2）：%1"},
    {Kind::DiskFull, u"ディスクの空き容量が不足しています：%1"},
    {Kind::WriteDenied, u"WMZファイルのフォルダに書き込めません：%1"},
    {Kind::PacksItself, u"WMZファイルの名前がスキンファイルと同じになります：%1"},
    {Kind::CannotWrite, u"WMZファイルを書き込めません：%1"},
    {Kind::FileMissing, u"圧縮するファイルを開けません：%1"},
    {Kind::MemberChanged, u"圧縮している間にファイルが変更されました：%1"},
    {Kind::NotUnpackable,
     u"作成したWMZファイルはこのプログラムで展開できないため、書き込みませんでした：%1"},
};

constexpr std::pair<qint32, Kind> kArchiverCauses[] = {
    {ArchiverResult::DiskFull, Kind::DiskFull},
    {ArchiverResult::WriteDenied, Kind::WriteDenied},
    {ArchiverResult::PacksItself, Kind::PacksItself},
    {ArchiverResult::CannotWrite, Kind::CannotWrite},
    {ArchiverResult::FileMissing, Kind::FileMissing},
    {ArchiverResult::OutsideFolder, Kind::OutsideLink},
    {ArchiverResult::MemberChanged, Kind::MemberChanged},
    {ArchiverResult::NotUnpackable, Kind::NotUnpackable},
};

// A line break would end the message's line inside the name.
QString shownName(QString name)
{
    return name.replace(u'\r', u"\\r"_s).replace(u'\n', u"\\n"_s);
}

} // namespace

QString PackFailure::message() const
{
    for (const Text &text : kTexts) {
        if (text.kind == kind) {
            const QString format = text.format.toString();
            const QString shown = shownName(QDir::toNativeSeparators(subject));
            return format.contains(u"%2"_s) ? format.arg(shown, detail) : format.arg(shown);
        }
    }
    return {};
}

std::optional<PackFailure::Kind> archiverCause(qint32 result)
{
    for (const auto &[code, kind] : kArchiverCauses) {
        if (code == result) {
            return kind;
        }
    }
    return std::nullopt;
}
