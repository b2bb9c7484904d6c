#include "../util/ImageFiles.h"
#include "MenuPictures.h"
#include "ProgramFolder.h"
#include "SamplePictures.h"
#include "TitlePictures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

// The pictures the build puts beside the program (package/, sample/, skins/)
// and the ones it compiles into it (:/pictures/...).
class tst_pictures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void modePictureIsJfif_data();
    void modePictureIsJfif();
    void selectedLookDiffers_data();
    void selectedLookDiffers();
    void modesAreToldApart();

    void embeddedPicture_data();
    void embeddedPicture();
    void layoutModePictureMatchesPackage_data();
    void layoutModePictureMatchesPackage();
    void fileSetPicturesAreTheirOwn();

    void sampleFile_data();
    void sampleFile();
    void sampleFolderHoldsTheTable();
    void keyedSamplesHaveCleanEdges();
    void identifyAgreesOnEveryPicture();
    void skinsFolderExists();

private:
    QDir m_stage;
};

namespace {

QString packageFile(const QDir &stage, int mode, bool selected)
{
    return stage.filePath(
        u"package/edit_%1%2.jpg"_s.arg(mode + 1).arg(selected ? u"g"_s : QString()));
}

// Share of pixels whose colour moved by more than 40 in some channel.
double changedShare(const QImage &a, const QImage &b)
{
    int changed = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 40 || std::abs(qGreen(p) - qGreen(q)) > 40 ||
                std::abs(qBlue(p) - qBlue(q)) > 40)
                ++changed;
        }
    }
    return double(changed) / (a.width() * a.height());
}

double meanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

bool isKey(QRgb colour)
{
    return (colour & 0xFFFFFF) == (kTransparencyKey & 0xFFFFFF);
}

bool nearKey(QRgb colour)
{
    return std::abs(qRed(colour) - qRed(kTransparencyKey)) <= 60 &&
           std::abs(qGreen(colour) - qGreen(kTransparencyKey)) <= 60 &&
           std::abs(qBlue(colour) - qBlue(kTransparencyKey)) <= 60;
}

QString sizeText(const QImage &image)
{
    return u"%1 %2"_s.arg(image.width()).arg(image.height());
}

} // namespace

void tst_pictures::initTestCase()
{
    const QString bin = programFolder();
    m_stage = QDir(bin);
    QVERIFY2(m_stage.exists(u"package"_s), qPrintable(m_stage.absolutePath()));
}

void tst_pictures::modePictureIsJfif_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("selected");
    for (int mode = 0; mode < 7; ++mode) {
        QTest::addRow("edit_%d.jpg", mode + 1) << mode << false;
        QTest::addRow("edit_%dg.jpg", mode + 1) << mode << true;
    }
}

void tst_pictures::modePictureIsJfif()
{
    QFETCH(int, mode);
    QFETCH(bool, selected);
    QFile file(packageFile(m_stage, mode, selected));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QByteArray head = file.read(11);
    QCOMPARE(head.left(4), QByteArray("\xFF\xD8\xFF\xE0"));
    QCOMPARE(head.mid(6, 5), QByteArray("JFIF\0", 5));
    file.close();

    QImageReader reader(file.fileName());
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    QCOMPARE(reader.read().size(), QSize(113, 78));
}

void tst_pictures::selectedLookDiffers_data()
{
    QTest::addColumn<int>("mode");
    for (int mode = 0; mode < 7; ++mode)
        QTest::addRow("mode %d", mode) << mode;
}

void tst_pictures::selectedLookDiffers()
{
    QFETCH(int, mode);
    const QImage normal(packageFile(m_stage, mode, false));
    const QImage selected(packageFile(m_stage, mode, true));
    QVERIFY(!normal.isNull() && !selected.isNull());
    // Most of the face changes colour, not just a few pixels of JPEG noise.
    const double share = changedShare(normal, selected);
    QVERIFY2(share > 0.5, qPrintable(u"only %1 of the pixels differ"_s.arg(share)));
}

void tst_pictures::modesAreToldApart()
{
    for (int a = 0; a < 7; ++a) {
        for (int b = a + 1; b < 7; ++b) {
            const double share = changedShare(QImage(packageFile(m_stage, a, false)),
                                              QImage(packageFile(m_stage, b, false)));
            // "ボタン1" and "ボタン2" differ only in their digit and symbols: about 2 %.
            QVERIFY2(share > 0.01, qPrintable(u"modes %1 and %2 look alike"_s.arg(a).arg(b)));
        }
    }
}

void tst_pictures::embeddedPicture_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QSize>("size");
    for (int panel = 0; panel < 6; ++panel)
        QTest::addRow("title_%d", panel)
            << u":/pictures/title_%1.bmp"_s.arg(panel) << QSize(609, 42);
    for (int button = 0; button < 10; ++button)
        QTest::addRow("menu_%d", button)
            << u":/pictures/menu_%1.bmp"_s.arg(button) << QSize(113, 78);
    QTest::newRow("window icon") << u":/pictures/velmora.png"_s << QSize(32, 32);
}

void tst_pictures::embeddedPicture()
{
    QFETCH(QString, resource);
    QFETCH(QSize, size);
    QVERIFY2(QFile::exists(resource), qPrintable(resource));
    QCOMPARE(QImage(resource).size(), size);
}

void tst_pictures::layoutModePictureMatchesPackage_data()
{
    QTest::addColumn<int>("mode");
    for (int mode = 0; mode < 7; ++mode)
        QTest::addRow("menu_%d", mode) << mode;
}

// Before its first switch a mode button shows the layout's picture; it must
// look like the package's unselected picture, or the menu would jump.
void tst_pictures::layoutModePictureMatchesPackage()
{
    QFETCH(int, mode);
    const QImage layout(u":/pictures/menu_%1.bmp"_s.arg(mode));
    const QImage normal(packageFile(m_stage, mode, false));
    const QImage selected(packageFile(m_stage, mode, true));
    const double toNormal = meanDifference(layout, normal);
    QVERIFY2(toNormal < 4, qPrintable(u"mean difference %1"_s.arg(toNormal)));
    QVERIFY(meanDifference(layout, selected) > 5 * toNormal);
}

void tst_pictures::fileSetPicturesAreTheirOwn()
{
    for (int file = 7; file < 10; ++file) {
        const QImage picture(u":/pictures/menu_%1.bmp"_s.arg(file));
        for (int other = 0; other < 10; ++other) {
            if (other == file)
                continue;
            const double share =
                changedShare(picture, QImage(u":/pictures/menu_%1.bmp"_s.arg(other)));
            QVERIFY2(share > 0.03,
                     qPrintable(u"menu_%1 looks like menu_%2"_s.arg(file).arg(other)));
        }
    }
}

void tst_pictures::sampleFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    QTest::newRow("background") << u"background.bmp"_s << QByteArray("bmp") << QSize(300, 200);
    QTest::newRow("plain background")
        << u"background_plain.jpg"_s << QByteArray("jpeg") << QSize(300, 200);
    const char *const states[] = {"", "_down", "_hover"};
    for (const char *state : states) {
        QTest::addRow("play%s", state)
            << u"play%1.bmp"_s.arg(QLatin1StringView(state)) << QByteArray("bmp") << QSize(40, 24);
        QTest::addRow("stop%s", state)
            << u"stop%1.gif"_s.arg(QLatin1StringView(state)) << QByteArray("gif") << QSize(40, 24);
        QTest::addRow("close%s", state)
            << u"close%1.gif"_s.arg(QLatin1StringView(state)) << QByteArray("gif") << QSize(40, 24);
    }
    QTest::newRow("horizontal thumb") << u"seek_thumb.gif"_s << QByteArray("gif") << QSize(15, 9);
    QTest::newRow("horizontal thumb, bmp")
        << u"balance_thumb.bmp"_s << QByteArray("bmp") << QSize(15, 9);
    QTest::newRow("vertical thumb") << u"volume_thumb.gif"_s << QByteArray("gif") << QSize(12, 20);
    QTest::newRow("slider background") << u"seek_back.bmp"_s << QByteArray("bmp") << QSize(200, 16);
    QTest::newRow("slider background, jpeg")
        << u"balance_back.jpg"_s << QByteArray("jpeg") << QSize(200, 16);
}

void tst_pictures::sampleFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    const QString path = m_stage.filePath(u"sample/"_s + name);
    QImageReader reader(path);
    // The content is what the name promises, not just any picture renamed.
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
    QCOMPARE(ImageFiles::identifySize(path), sizeText(image));
}

void tst_pictures::sampleFolderHoldsTheTable()
{
    const QDir sample(m_stage.filePath(u"sample"_s));
    QSet<QString> expected;
    QSet<QByteArray> formats;
    for (const SamplePicture &picture : samplePictures()) {
        expected.insert(picture.fileName);
        QImageReader reader(sample.filePath(picture.fileName));
        formats.insert(reader.format());
        QCOMPARE(reader.read().size(), picture.size);
    }
    const QStringList present = sample.entryList(QDir::Files);
    QCOMPARE(QSet<QString>(present.begin(), present.end()), expected);
    QVERIFY(formats.contains("bmp"));
    QVERIFY(formats.contains("gif"));
    QVERIFY(formats.contains("jpeg"));
}

// Around a shape every pixel is exactly the key or clearly not it: a fringe of
// almost-red would show as a red halo in the player.
void tst_pictures::keyedSamplesHaveCleanEdges()
{
    const QDir sample(m_stage.filePath(u"sample"_s));
    for (const SamplePicture &picture : samplePictures()) {
        const QImage image(sample.filePath(picture.fileName));
        const bool keyed = picture.shape != SampleShape::PlainBackground &&
                           picture.shape != SampleShape::PlainTrack;
        const bool lossless = !picture.fileName.endsWith(u".jpg"_s);
        QVERIFY2(!keyed || lossless, qPrintable(picture.fileName + u": key colour in a JPEG"_s));
        if (keyed) {
            QVERIFY2(isKey(image.pixel(0, 0)), qPrintable(picture.fileName));
            QVERIFY2(!isKey(image.pixel(image.width() / 2, image.height() / 2)),
                     qPrintable(picture.fileName));
        }
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb colour = image.pixel(x, y);
                const bool ok = keyed ? isKey(colour) || !nearKey(colour) : !nearKey(colour);
                QVERIFY2(ok, qPrintable(u"%1 at %2,%3"_s.arg(picture.fileName).arg(x).arg(y)));
            }
        }
    }
}

void tst_pictures::identifyAgreesOnEveryPicture()
{
    QStringList paths;
    for (const QString &folder : {u"package"_s, u"sample"_s}) {
        const QDir dir(m_stage.filePath(folder));
        for (const QString &name : dir.entryList(QDir::Files))
            paths.append(dir.filePath(name));
    }
    const QDir embedded(QStringLiteral(VELMORA_PICTURES_DIR));
    for (const QString &name : embedded.entryList({u"*.png"_s, u"*.bmp"_s}, QDir::Files))
        paths.append(embedded.filePath(name));
    QVERIFY(paths.size() >= 14 + 29 + 17);
    for (const QString &path : std::as_const(paths)) {
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QCOMPARE(ImageFiles::identifySize(path), sizeText(image));
    }
}

void tst_pictures::skinsFolderExists()
{
    const QDir skins(m_stage.filePath(u"skins"_s));
    QVERIFY(skins.exists());
}

QTEST_MAIN(tst_pictures)
#include "tst_pictures.moc"
