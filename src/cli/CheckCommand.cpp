#include "CommandLine.h"
#include "Commands.h"
#include "Console.h"
#include "document/clsFileControl.h"
#include "render/SkinCheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

// Reads the skin as the editor's Open does (a file the reader refuses is
// reported on standard error) and lists what would make it fail.
int runCheck(const QByteArrayList &files, const CommandOptions &options, Console &console)
{
    const QString wmsPath = skinFileArgument(files.constFirst(), console);
    if (wmsPath.isEmpty()) {
        return CommandLine::Failure;
    }
    ConsoleMessageSink messages(console.err());
    clsFileControl document(messages);
    const bool readable = document.readFile(wmsPath);
    const QList<SkinFinding> findings = readable ? checkSkin(document) : QList<SkinFinding>();

    const SkinSummary summary = readable ? summarizeSkin(document) : SkinSummary();
    if (options.json) {
        QJsonArray list;
        for (const SkinFinding &finding : findings) {
            list.append(finding.toJson());
        }
        const QJsonObject report{{u"skin"_s, wmsPath},
                                 {u"readable"_s, readable},
                                 {u"elements"_s, summary.elements},
                                 {u"pictures"_s, summary.pictures},
                                 {u"findings"_s, list}};
        console.out() << shownPath(
            QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Indented)));
    } else {
        for (const SkinFinding &finding : findings) {
            console.out() << shownPath(finding.describe()) << u'\n';
        }
        // A sound skin says so, with how much was looked at.
        if (readable && findings.isEmpty()) {
            console.out() << u"%1: nothing found (%2 elements, %3 pictures checked)\n"_s.arg(
                shownPath(wmsPath), QString::number(summary.elements),
                QString::number(summary.pictures));
        }
    }
    return readable && findings.isEmpty() ? CommandLine::Success : CommandLine::Failure;
}
