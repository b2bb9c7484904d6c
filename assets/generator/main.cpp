// Makes every picture the editor carries or puts beside itself: the side-menu
// pictures in package/, the sample images in sample/, the empty skins/ folder,
// and the panel titles, menu pictures and window icon that are compiled in.
#include "Artwork.h"
#include "MenuPictures.h"
#include "PictureFile.h"
#include "SamplePictures.h"
#include "TitlePictures.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct PictureJob {
    QString path;
    QImage image;
    std::optional<QRgb> keyColour;
};

void addPackagePictures(std::vector<PictureJob> &jobs, const QDir &package)
{
    for (int i = 0; i < kModeCount; ++i) {
        const QString number = QString::number(i + 1);
        jobs.push_back({package.filePath(u"edit_"_s + number + u".jpg"_s),
                        renderMenuButton(i, false), std::nullopt});
        jobs.push_back({package.filePath(u"edit_"_s + number + u"g.jpg"_s),
                        renderMenuButton(i, true), std::nullopt});
    }
}

void addSamplePictures(std::vector<PictureJob> &jobs, const QDir &sample)
{
    for (const SamplePicture &picture : samplePictures())
        jobs.push_back(
            {sample.filePath(picture.fileName), renderSample(picture), kTransparencyKey});
}

// A sample renamed in the table would otherwise leave its old file behind in
// the program folder of an existing build.
bool removeStaleSamples(const QDir &sample, QString *error)
{
    QStringList current;
    for (const SamplePicture &picture : samplePictures())
        current.append(picture.fileName);
    const QStringList pictures =
        sample.entryList({u"*.bmp"_s, u"*.gif"_s, u"*.jpg"_s, u"*.jpeg"_s}, QDir::Files);
    for (const QString &name : pictures) {
        if (!current.contains(name) && !QFile::remove(sample.filePath(name))) {
            *error = u"cannot remove the old sample %1"_s.arg(sample.filePath(name));
            return false;
        }
    }
    return true;
}

void addEmbeddedPictures(std::vector<PictureJob> &jobs, const QDir &pictures)
{
    for (int k = 0; k < kTitledPanelCount; ++k)
        jobs.push_back({pictures.filePath(u"title_%1.bmp"_s.arg(k)), renderPanelTitle(k), {}});
    for (int i = 0; i < kMenuButtonCount; ++i)
        jobs.push_back(
            {pictures.filePath(u"menu_%1.bmp"_s.arg(i)), renderMenuButton(i, false), {}});
    jobs.push_back({pictures.filePath(u"velmora.png"_s), renderWindowIcon(), {}});
    jobs.push_back({pictures.filePath(u"velmora_%1.png"_s.arg(kDesktopIconSide)),
                    renderWindowIcon(kDesktopIconSide),
                    {}});
    jobs.push_back({pictures.filePath(u"folder.png"_s), renderFolderIcon(), {}});
}

int fail(const QString &message)
{
    std::fprintf(stderr, "velmora_picture_generator: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing text needs a GUI application, but never a screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption stageOption(u"stage"_s, u"Program folder to fill."_s, u"dir"_s);
    const QCommandLineOption picturesOption(u"pictures"_s, u"Folder for compiled-in pictures."_s,
                                            u"dir"_s);
    parser.addOption(stageOption);
    parser.addOption(picturesOption);
    parser.process(app);
    if (!parser.isSet(stageOption) || !parser.isSet(picturesOption))
        return fail(u"both --stage and --pictures are needed"_s);

    if (!labelFamilyInstalled())
        return fail(u"font family %1 is not installed (Debian package fonts-ipafont-gothic; "
                    "run scripts/setup.sh)"_s.arg(kLabelFamily));

    const QDir stage(parser.value(stageOption));
    if (!QDir().mkpath(stage.filePath(u"skins"_s)))
        return fail(u"cannot create %1"_s.arg(stage.filePath(u"skins"_s)));

    QString error;
    if (!removeStaleSamples(QDir(stage.filePath(u"sample"_s)), &error))
        return fail(error);

    std::vector<PictureJob> jobs;
    addPackagePictures(jobs, QDir(stage.filePath(u"package"_s)));
    addSamplePictures(jobs, QDir(stage.filePath(u"sample"_s)));
    addEmbeddedPictures(jobs, QDir(parser.value(picturesOption)));

    for (const PictureJob &job : jobs) {
        if (!savePicture(job.image, job.path, &error, job.keyColour))
            return fail(error);
    }
    return 0;
}
