#include "CommandLine.h"

#include "Commands.h"
#include "Console.h"
#include "util/Interrupt.h"
#include "util/VersionInfo.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

using Runner = int (*)(const QByteArrayList &, const CommandOptions &, Console &);

struct Command {
    QStringView name;
    QStringView arguments; // as the help shows them
    qsizetype leastFiles;
    qsizetype mostFiles; // kAnyNumber: no limit
    bool takesJson;
    QStringView summary;
    bool takesLooks; // --state, --sliders, --outlines, --shape, --strict
    Runner run;
};

constexpr qsizetype kAnyNumber = -1;

constexpr Command kCommands[] = {
    {u"pack", u"SKIN.wms", 1, 1, false,
     u"Packs the skin and the images it names into a WMZ file beside it, as the editor's WMZ "
     u"command does, and prints the WMZ file's path.",
     false, runPack},
    {u"unpack", u"SKIN.wmz [FOLDER]", 1, 2, false,
     u"Unpacks the WMZ file into FOLDER, or into the folder named after it beside it, after "
     u"checking every entry as the editor's Open does, and prints the WMS file's path. Files "
     u"of the same names already in the folder are left as they are, and nothing is unpacked.",
     false, runUnpack},
    {u"check", u"SKIN...", 1, kAnyNumber, true,
     u"Lists, one line each, what would make a skin fail in a player or in the editor's "
     u"save: missing or undecodable images, images whose size their header does not tell, "
     u"colours and numbers the editor does not take, elements partly or wholly outside the "
     u"background. Each SKIN is a WMS file, a WMZ file or a folder (every WMS and WMZ file in "
     u"and below it); several skins are checked at once, reported in the order given, each "
     u"line after its skin's path; what a folder holds but cannot be read is named on "
     u"standard error. Exit status 1 when it lists anything or cannot read something. --json "
     u"prints the findings as JSON: one skin's report, or an array of the reports of several.",
     false, runCheck},
    {u"render", u"SKIN OUT.png", 2, 2, false,
     u"Draws the skin as the editor's preview does, with the same renderer, into a PNG file. "
     u"--state hover|pressed draws each button's hover or pressed image where it has one, "
     u"--sliders each slider's background under its thumb, --outlines the playlist, track "
     u"name and video areas as dashed rectangles, --shape the background's transparency "
     u"colour as a checkerboard. A picture that cannot be drawn is left out with a warning; "
     u"--strict makes that a failure. SKIN is a WMS or a WMZ file; an existing OUT.png must "
     u"be a regular file.",
     true, runRender},
};

constexpr QStringView kProgram = u"velmora";

const Command *findCommand(QStringView name)
{
    for (const Command &command : kCommands) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

QString description()
{
    QString text =
        VersionInfo::program().title + u": an editor for Windows Media Player skins.\n\n"_s +
        kProgram.toString() +
        u" [SKIN.wms|SKIN.wmz]\n    Starts the editor, with the skin open when one is given "
        u"(a WMZ file unpacked first, into a folder the editor asks for).\n"_s;
    for (const Command &command : kCommands) {
        text +=
            u"%1 %2 %3\n    %4\n"_s.arg(kProgram, command.name, command.arguments, command.summary);
    }
    text += u"\nCommands need no display. Exit status: 0 done, 1 failed or found something, "
            u"2 bad arguments."_s;
    return text;
}

std::optional<Preview::ButtonLook> buttonLook(const QString &name)
{
    constexpr std::pair<QStringView, Preview::ButtonLook> kLooks[] = {
        {u"normal", Preview::ButtonLook::Normal},
        {u"hover", Preview::ButtonLook::Hover},
        {u"pressed", Preview::ButtonLook::Pressed},
    };
    for (const auto &[text, look] : kLooks) {
        if (name == text) {
            return look;
        }
    }
    return std::nullopt;
}

// Where the parser finds the command and its files: every argument that is
// no option and no option's value, and all after "--".
QList<qsizetype> positionalIndexes(const QStringList &arguments)
{
    QList<qsizetype> indexes;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == u"--"_s) {
            for (++i; i < arguments.size(); ++i) {
                indexes.append(i);
            }
        } else if (argument == u"--state"_s) {
            ++i; // its value
        } else if (!argument.startsWith(u'-') || argument == u"-"_s) {
            indexes.append(i);
        }
    }
    return indexes;
}

// --help and --version answer for the program, not for a command: after the
// command they would print and exit without running it, so they are refused.
std::optional<QString> programOptionAfterCommand(const QStringList &arguments)
{
    constexpr QStringView kProgramOptions[] = {u"-h",         u"-?", u"--help",
                                               u"--help-all", u"-v", u"--version"};
    const QList<qsizetype> positional = positionalIndexes(arguments);
    if (positional.isEmpty()) {
        return std::nullopt;
    }
    for (qsizetype i = positional.constFirst() + 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == u"--"_s) {
            break; // names from here on
        }
        if (std::find(std::begin(kProgramOptions), std::end(kProgramOptions), argument) !=
            std::end(kProgramOptions)) {
            return argument;
        }
    }
    return std::nullopt;
}

// The files as the bytes the system gave: a name in bytes that are no UTF-8
// has lost them in the parser's text.
QByteArrayList rawFiles(const QStringList &arguments, const QByteArrayList &raw,
                        const QStringList &files)
{
    const QList<qsizetype> positional = positionalIndexes(arguments);
    QByteArrayList bytes;
    if (positional.size() == files.size() + 1 && raw.size() == arguments.size()) {
        for (qsizetype i = 1; i < positional.size(); ++i) {
            bytes.append(raw.at(positional.at(i)));
        }
        return bytes;
    }
    for (const QString &file : files) {
        bytes.append(QFile::encodeName(file));
    }
    return bytes;
}

int usageError(const QCommandLineParser &parser, const QString &reason, Console &console)
{
    console.err() << kProgram << u": "_s << terminalText(reason) << u"\n\n"_s << parser.helpText();
    return CommandLine::Usage;
}

int runCommand(const QStringList &arguments, const QByteArrayList &raw, Console &console)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(description());
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption json(u"json"_s, u"With check: the findings as JSON."_s);
    parser.addOption(json);
    const QCommandLineOption state(u"state"_s, u"With render: normal, hover or pressed."_s,
                                   u"look"_s, u"normal"_s);
    const QCommandLineOption sliders(u"sliders"_s, u"With render: slider backgrounds."_s);
    const QCommandLineOption outlines(u"outlines"_s, u"With render: the areas' outlines."_s);
    const QCommandLineOption shape(u"shape"_s, u"With render: the window's shape."_s);
    const QCommandLineOption strict(u"strict"_s,
                                    u"With render: a picture left out makes it fail."_s);
    for (const QCommandLineOption &option : {state, sliders, outlines, shape, strict}) {
        parser.addOption(option);
    }
    parser.addPositionalArgument(
        u"command"_s, u"pack, unpack, check or render, or a skin file to edit."_s, u"[command]"_s);
    parser.addPositionalArgument(u"files"_s, u"The command's files."_s, u"[files...]"_s);

    if (!parser.parse(arguments)) {
        return usageError(parser, parser.errorText(), console);
    }
    if (const std::optional<QString> late = programOptionAfterCommand(arguments)) {
        return usageError(
            parser, u"%1 is an option of the program: it goes before the command"_s.arg(*late),
            console);
    }
    if (parser.isSet(help) || parser.isSet(u"help-all"_s)) {
        console.out() << parser.helpText();
        return CommandLine::Success;
    }
    if (parser.isSet(version)) {
        const VersionInfo program = VersionInfo::program();
        console.out() << program.title << u' ' << program.number() << u'\n' << program.copyright
                      << u'\n';
        return CommandLine::Success;
    }
    QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        return usageError(parser, u"no command given"_s, console);
    }
    const QString name = files.takeFirst();
    const Command *command = findCommand(name);
    if (!command) {
        return usageError(parser, u"unknown command \"%1\""_s.arg(name), console);
    }
    if (files.size() < command->leastFiles ||
        (command->mostFiles != kAnyNumber && files.size() > command->mostFiles)) {
        return usageError(parser, u"%1 takes %2"_s.arg(command->name, command->arguments), console);
    }
    if (parser.isSet(json) && !command->takesJson) {
        return usageError(parser, u"--json goes with check only"_s, console);
    }
    const bool looks = parser.isSet(state) || parser.isSet(sliders) || parser.isSet(outlines) ||
                       parser.isSet(shape) || parser.isSet(strict);
    if (looks && !command->takesLooks) {
        return usageError(
            parser, u"--state, --sliders, --outlines, --shape and --strict go with render only"_s,
            console);
    }
    CommandOptions options{parser.isSet(json), {}, parser.isSet(outlines), parser.isSet(strict)};
    const std::optional<Preview::ButtonLook> look = buttonLook(parser.value(state));
    if (!look) {
        return usageError(parser, u"--state takes normal, hover or pressed"_s, console);
    }
    options.render = {*look, parser.isSet(sliders), parser.isSet(shape)};
    return command->run(rawFiles(arguments, raw, files), options, console);
}

} // namespace

namespace CommandLine {

QStringList rawArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

bool startsEditor(const QStringList &arguments)
{
    if (arguments.size() <= 1) {
        return true;
    }
    const QString &first = arguments.at(1);
    return arguments.size() == 2 && !first.startsWith(u'-') && !findCommand(first);
}

void setApplicationIdentity()
{
    const VersionInfo program = VersionInfo::program();
    QCoreApplication::setApplicationName(program.title);
    QCoreApplication::setApplicationVersion(program.number());
}

int run(int &argc, char **argv)
{
    // Drawing the areas' names takes fonts, which only a GUI application
    // has; its offscreen platform needs no display.
    std::unique_ptr<QCoreApplication> app;
    if (std::any_of(argv + 1, argv + argc,
                    [](const char *a) { return qstrcmp(a, "--outlines") == 0; })) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    setApplicationIdentity();
    // The application object took out what it reads itself; what is left
    // lines up with its arguments().
    QByteArrayList raw;
    for (int i = 0; i < argc; ++i) {
        raw.append(QByteArray(argv[i]));
    }
    // Stopped from outside, a command takes back what it made (a temporary
    // folder, a half-unpacked one) before it ends as the signal asks.
    struct sigaction action {};
    action.sa_handler = [](int number) { Interrupt::request(number); };
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // the work goes on to its next step, which stops
    for (const int number : {SIGTERM, SIGHUP, SIGINT}) {
        ::sigaction(number, &action, nullptr);
    }
    Console console;
    const int result = runCommand(QCoreApplication::arguments(), raw, console);
    Interrupt::endAsAsked();
    // A report that never reached its reader (a full disk, a closed pipe) is
    // no report: the run failed, whatever it found.
    console.out().flush();
    if (console.out().status() != QTextStream::Ok || std::fflush(stdout) != 0 ||
        std::ferror(stdout)) {
        console.err() << kProgram << u": 標準出力に書き込めません\n"_s;
        return result == Usage ? Usage : Failure;
    }
    return result;
}

} // namespace CommandLine
