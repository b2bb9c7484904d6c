#include "../util/ImageFiles.h"
#include "ProgramFolder.h"
#include "SamplePictures.h"

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
    void modePictures_data();
    void modePictures();
    void menuPicturesAreToldApart();
    void embeddedPicture_data();
    void embeddedPicture();
    void sampleFile_data();
    void sampleFile();
    void sampleFolderHoldsTheTable();
    void keyedSamplesHaveCleanEdges();
    void identifyAgreesOnEveryPicture();

private:
    QString packageFile(int mode, bool selected) const
    {
        return m_stage.filePath(
            u"package/edit_%1%2.jpg"_s.arg(mode + 1).arg(selected ? u"g"_s : QString()));
    }

    QDir m_stage;
};

namespace {

// Per pixel, the largest channel difference; summed into a share of pixels
// that moved by more than 40, and a mean over all channels.
struct Difference {
    double changedShare = 0;
    double mean = 0;
};

Difference difference(const QImage &a, const QImage &b)
{
    int changed = 0;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int dr = std::abs(qRed(p) - qRed(q));
            const int dg = std::abs(qGreen(p) - qGreen(q));
            const int db = std::abs(qBlue(p) - qBlue(q));
            changed += std::max({dr, dg, db}) > 40;
            sum += dr + dg + db;
        }
    }
    const double pixels = double(a.width()) * a.height();
    return {changed / pixels, sum / (3.0 * pixels)};
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

} // namespace

void tst_pictures::initTestCase()
{
    m_stage = QDir(programFolder());
    QVERIFY2(m_stage.exists(u"package"_s), qPrintable(m_stage.absolutePath()));
    QVERIFY(QFileInfo(m_stage.filePath(u"skins"_s)).isDir());
}

void tst_pictures::modePictures_data()
{
    QTest::addColumn<int>("mode");
    for (int mode = 0; mode < 7; ++mode)
        QTest::addRow("edit_%d", mode + 1) << mode;
}

void tst_pictures::modePictures()
{
    QFETCH(int, mode);
    QImage pictures[2];
    for (const bool selected : {false, true}) {
        QFile file(packageFile(mode, selected));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray head = file.read(11);
        QCOMPARE(head.left(4), QByteArray("\xFF\xD8\xFF\xE0"));
        QCOMPARE(head.mid(6, 5), QByteArray("JFIF\0", 5));
        QImageReader reader(file.fileName());
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        pictures[selected] = reader.read();
        QCOMPARE(pictures[selected].size(), QSize(113, 78));
    }
    // Most of the face changes colour, not just a few pixels of JPEG noise.
    const double share = difference(pictures[0], pictures[1]).changedShare;
    QVERIFY2(share > 0.5, qPrintable(u"only %1 of the pixels differ"_s.arg(share)));

    // Before its first switch a mode button shows the layout's picture; it
    // must look like the unselected one, or the menu would jump.
    const QImage layout(u":/pictures/menu_%1.bmp"_s.arg(mode));
    const double toNormal = difference(layout, pictures[0]).mean;
    QVERIFY2(toNormal < 4, qPrintable(u"mean difference %1"_s.arg(toNormal)));
    QVERIFY(difference(layout, pictures[1]).mean > 5 * toNormal);
}

// The seven modes and the three file commands each have a face of their own;
// "ボタン1" and "ボタン2" differ only in their digit and symbols: about 2 %.
void tst_pictures::menuPicturesAreToldApart()
{
    QList<QImage> faces;
    for (int mode = 0; mode < 7; ++mode)
        faces.append(QImage(packageFile(mode, false)));
    for (int file = 7; file < 10; ++file)
        faces.append(QImage(u":/pictures/menu_%1.bmp"_s.arg(file)));
    for (int a = 0; a < faces.size(); ++a) {
        for (int b = a + 1; b < faces.size(); ++b) {
            const double share = difference(faces[a], faces[b]).changedShare;
            QVERIFY2(share > 0.01, qPrintable(u"pictures %1 and %2 look alike"_s.arg(a).arg(b)));
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
    QVERIFY2(QFile::exists(resource), qPrintable(resource));
    QTEST(QImage(resource).size(), "size");
}

void tst_pictures::sampleFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    QTest::newRow("background") << u"background.bmp"_s << QByteArray("bmp") << QSize(300, 200);
    QTest::newRow("plain background")
        << u"background_plain.jpg"_s << QByteArray("jpeg") << QSize(300, 200);
    for (const QString &state : {u""_s, u"_down"_s, u"_hover"_s}) {
        QTest::addRow("play%ls", qUtf16Printable(state))
            << u"play%1.bmp"_s.arg(state) << QByteArray("bmp") << QSize(40, 24);
        QTest::addRow("stop%ls", qUtf16Printable(state))
            << u"stop%1.gif"_s.arg(state) << QByteArray("gif") << QSize(40, 24);
        QTest::addRow("close%ls", qUtf16Printable(state))
            << u"close%1.gif"_s.arg(state) << QByteArray("gif") << QSize(40, 24);
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
    QImageReader reader(m_stage.filePath(u"sample/"_s + name));
    // The content is what the name promises, not just any picture renamed.
    QTEST(reader.format(), "format");
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QTEST(image.size(), "size");
}

// The folder holds what the generator's table names and nothing else, also
// after a file has been dropped from the table.
void tst_pictures::sampleFolderHoldsTheTable()
{
    QSet<QString> expected;
    for (const SamplePicture &picture : samplePictures())
        expected.insert(picture.fileName);
    const QStringList present = QDir(m_stage.filePath(u"sample"_s)).entryList(QDir::Files);
    QCOMPARE(QSet<QString>(present.begin(), present.end()), expected);
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
        QCOMPARE(ImageFiles::identifySize(path), u"%1 %2"_s.arg(image.width()).arg(image.height()));
    }
}

QTEST_MAIN(tst_pictures)
#include "tst_pictures.moc"
