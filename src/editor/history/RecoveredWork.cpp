#include "RecoveredWork.h"

#include "document/clsFileControl.h"
#include "util/MessageSink.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {

// The reader's messages are for a file the user opens; here its answer is all.
class QuietMessages : public MessageSink {
public:
    void showMessage(const QString &, const QString &, MessageIcon) override {}
    bool askYesNo(const QString &, const QString &) override { return false; }
};

// A key that is absent, or text.
std::optional<QString> optionalText(const QJsonObject &record, const QString &key)
{
    const QJsonValue value = record.value(key);
    if (value.isUndefined()) {
        return QString();
    }
    return value.isString() ? std::optional(value.toString()) : std::nullopt;
}

} // namespace

namespace RecoveredWork {

std::optional<Record> read(const QByteArray &bytes, const QStringList &controls)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject record = document.object();
    const std::optional<QString> file = optionalText(record, u"file"_s);
    const std::optional<QString> run = optionalText(record, u"run"_s);
    const QJsonValue values = record.value(u"values"_s);
    if (!file || !run || !values.isObject()) {
        return std::nullopt;
    }
    Record read{*file, *run, {}};
    bool anyControl = false;
    const QJsonObject byName = values.toObject();
    for (auto value = byName.begin(); value != byName.end(); ++value) {
        if (!value.value().isString()) {
            return std::nullopt;
        }
        anyControl = anyControl || controls.contains(value.key());
        read.values.emplace_back(value.key(), value.value().toString());
    }
    return anyControl ? std::optional(std::move(read)) : std::nullopt;
}

std::optional<QString> skinFile(const QString &recorded)
{
    const QFileInfo info(recorded);
    if (recorded.isEmpty() || !info.isAbsolute() ||
        info.suffix().compare(u"wms"_s, Qt::CaseInsensitive) != 0) {
        return std::nullopt;
    }
    // A link that leads nowhere is no absent file: a save would write where it leads.
    if (!info.exists() && !info.isSymLink()) {
        return recorded;
    }
    QuietMessages quiet;
    clsFileControl skin(quiet);
    return info.isFile() && skin.readFile(recorded) ? std::optional(recorded) : std::nullopt;
}

} // namespace RecoveredWork
