// Draws the pictures of the help pages from the real windows, so they always
// show the editor as it is built: each panel of the main window, filled with a
// small skin made of the sample images, and the version window.
//   velmora_help_pictures --program <folder with package/ and sample/> --out <folder>
#include "editor/widgets/ImageButton.h"
#include "editor/window/frmMainTestHooks.h"
#include "util/MessageSink.h"
#include "windows/frmVersionInfo.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Nothing should be reported while drawing; whatever is, goes to the error
// stream and fails the build step.
class ErrorStreamSink : public MessageSink {
public:
    void showMessage(const QString &text, const QString &title, MessageIcon) override
    {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(text));
        failed = true;
    }
    bool askYesNo(const QString &text, const QString &title) override
    {
        showMessage(text, title, MessageIcon::Information);
        return false;
    }
    bool failed = false;
};

// Field and sample image of the small skin the pictures show.
struct SampleField {
    std::size_t field;
    QStringView text;
    bool image;
};
constexpr SampleField kSampleSkin[] = {
    {0, u"サンプルスキン", false},
    {1, u"Velmora", false},
    {2, u"(C) 2026 Velmora", false},
    {3, u"background.bmp", true},
    {4, u"play.bmp", true},
    {7, u"40", false},
    {8, u"30", false},
    {9, u"stop.gif", true},
    {12, u"40", false},
    {13, u"80", false},
    {14, u"close.gif", true},
    {17, u"8", false},
    {18, u"200", false},
};

// The pictures show the sample images where an installed program keeps
// them, not where this build happens to be; the preview draws the real files.
const QString kShownFolder = u"/usr/local/lib/velmora"_s;

void fillSampleSkin(frmMain &window, const QDir &program)
{
    for (const SampleField &sample : kSampleSkin) {
        const QString text = sample.text.toString();
        hooks(window)
            .Text1(sample.field)
            ->setText(sample.image ? program.absoluteFilePath(u"sample/"_s + text) : text);
    }
}

bool save(QWidget &widget, const QDir &out, const QString &name)
{
    const QString path = out.filePath(name);
    if (!widget.grab().save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption programOption(u"program"_s, u"program folder"_s, u"folder"_s);
    const QCommandLineOption outOption(u"out"_s, u"folder for the pictures"_s, u"folder"_s);
    parser.addOptions({programOption, outOption});
    parser.process(app);
    const QDir program(parser.value(programOption));
    const QDir out(parser.value(outOption));
    if (!out.mkpath(u"."_s)) {
        std::fprintf(stderr, "cannot make %s\n", qUtf8Printable(out.path()));
        return 1;
    }

    ErrorStreamSink messages;
    frmMain window(messages, program.absolutePath());
    if (!window.Form_Load()) {
        return 1;
    }
    window.show();
    for (int panel = 0; panel < int(Layout::kEditMenuCount); ++panel) {
        const bool preview = panel + 1 == int(Layout::kEditMenuCount);
        fillSampleSkin(window, preview ? program : QDir(kShownFolder));
        hooks(window).imgMenu(panel)->click();
        if (!save(window, out, u"panel_%1.png"_s.arg(panel))) {
            return 1;
        }
    }

    frmVersionInfo version(&window);
    version.show();
    if (!save(version, out, u"version.png"_s)) {
        return 1;
    }
    return messages.failed ? 1 : 0;
}
