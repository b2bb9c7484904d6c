#include "Commands.h"
#include "Console.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

QString skinFileArgument(const QString &argument, Console &console)
{
    const QFileInfo info(argument);
    if (!info.isFile()) {
        console.err() << u"velmora: "_s << argument
                      << (info.exists() ? u": not a file\n"_s : u": no such file\n"_s);
        return {};
    }
    return QDir::toNativeSeparators(info.absoluteFilePath());
}
