#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr char kLocaleVariable[] = "LC_ALL";
constexpr char kJapaneseLocale[] = "ja_JP.UTF-8";

// Qt's texts that moved to a new context after the Japanese catalogue was
// written: they are found there under their earlier one.
struct MovedContext {
    const char *now;
    const char *before;
};
constexpr MovedContext kMovedContexts[] = {
    {"QAbstractFileIconProvider", "QFileDialog"}, // "Folder", "Drive", "File", "Unknown"
};

// Qt's Japanese catalogue, asked for moved texts under their earlier context too.
class JapaneseCatalogue : public QTranslator {
public:
    explicit JapaneseCatalogue(QObject *parent) : QTranslator(parent) {}

    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        const QString found = QTranslator::translate(context, sourceText, disambiguation, n);
        if (!found.isEmpty() || !context) {
            return found;
        }
        const auto moved =
            std::find_if(std::begin(kMovedContexts), std::end(kMovedContexts),
                         [&](const MovedContext &row) { return qstrcmp(row.now, context) == 0; });
        // Without its disambiguation: the earlier context had none.
        return moved == std::end(kMovedContexts)
                   ? found
                   : QTranslator::translate(moved->before, sourceText, nullptr, n);
    }
};

} // namespace

void QtTranslations::useJapaneseLocale()
{
    // Qt reads the system's locale from the environment once, when first
    // asked (file dialogs show dates and sizes in it), and keeps what it read.
    const bool wasSet = qEnvironmentVariableIsSet(kLocaleVariable);
    const QByteArray was = qgetenv(kLocaleVariable);
    qputenv(kLocaleVariable, kJapaneseLocale);
    QLocale::system();
    if (wasSet) {
        qputenv(kLocaleVariable, was);
    } else {
        qunsetenv(kLocaleVariable);
    }
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
}

bool QtTranslations::installJapanese(QCoreApplication &application)
{
    // Owned by the application, which reads it for as long as it runs.
    auto translator = std::make_unique<JapaneseCatalogue>(&application);
    if (!translator->load(u"qtbase_ja"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get())) {
        return false;
    }
    translator.release();
    return true;
}
