#include "SkinChecks.h"

#include "util/AppError.h"
#include "util/clsFunction.h"
#include "wms/WmsFields.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace SkinChecks {

namespace {

using Sections::Test;
using SkinFields::Kind;

const QString kImageTitle = u"画像ファイル"_s;
// A place or size the player cannot hold is refused under what was checked.
const QString kPlaceTitle = u"位置と大きさ"_s;

struct Why {
    QString message;
    QString title;
};

QString textOf(const SkinValues &values, qint16 field)
{
    return values.value(SkinFields::text(field));
}

std::optional<Why> imageFailure(const SkinValues &values, const UsedField &used)
{
    // A name no file system can hold names no file either.
    const QString path = textOf(values, used.field);
    if (tryValue([&] { return clsFunction::VerifyFile(path); }).value_or(false)) {
        return std::nullopt;
    }
    return Why{used.section->prefix.toString() +
                   u"ファイルが存在しません。正しいファイル名を指定してください。"_s,
               kImageTitle};
}

std::optional<Why> numberFailure(const SkinValues &values, const UsedField &used)
{
    const QString text = textOf(values, used.field);
    if (WmsFields::placeValue(text)) {
        return std::nullopt;
    }
    // A place the player cannot hold (or text pasted past the key filter) is
    // named with its field's caption.
    const QString prefix = used.section->prefix.toString();
    const SkinFields::Field *field = SkinFields::find(SkinFields::text(used.field));
    if (text.isEmpty() || !field) {
        return Why{prefix + u"位置を入力してください。"_s, kImageTitle};
    }
    return Why{
        u"%1%2は0から%3までの数値で入力してください。"_s.arg(prefix, field->caption.toString())
            .arg(WmsFields::kMaxPlace),
        kPlaceTitle};
}

} // namespace

std::vector<UsedField> usedFields(const SkinValues &values)
{
    std::vector<UsedField> used;
    for (const Sections::FieldCheck &check : Sections::fieldChecks()) {
        const Sections::Section &section = *check.section;
        if (!values.ticked(Kind::SectionBox, section.check2) ||
            !values.ticked(Kind::ImageBox, check.box)) {
            continue;
        }
        Test test = check.test;
        qint16 field = check.field;
        if (test == Test::SliderSize) {
            const bool background = values.ticked(Kind::ImageBox, section.background.box);
            const bool vertical = values.value({Kind::Choice, section.choice.on}) == u"0"_s;
            test = background ? Test::Image : Test::Number;
            field =
                background ? section.background.text : (vertical ? section.height : section.width);
        }
        used.push_back({&section, test, field});
    }
    return used;
}

std::optional<Failure> firstFailure(const SkinValues &values)
{
    for (const UsedField &used : usedFields(values)) {
        const std::optional<Why> why =
            used.test == Test::Image ? imageFailure(values, used) : numberFailure(values, used);
        if (why) {
            return Failure{used.section, used.field, why->message, why->title};
        }
    }
    return std::nullopt;
}

QStringList usedImagePaths(const SkinValues &values)
{
    std::vector<qint16> fields;
    for (const UsedField &used : usedFields(values)) {
        if (used.test == Test::Image) {
            fields.push_back(used.field);
        }
    }
    std::sort(fields.begin(), fields.end());
    QStringList paths;
    for (const qint16 field : fields) {
        paths.append(textOf(values, field));
    }
    return paths;
}

} // namespace SkinChecks
