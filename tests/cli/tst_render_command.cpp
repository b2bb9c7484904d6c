// velmora render: the real program, run without a display, draws exactly
// what the editor's preview shows for the same skin.
#include "../editor/EditorFixture.h"
#include "../packaging/TmpfsMount.h"
#include "PreviewPictures.h"
#include "ProcessRun.h"
#include "ProgramFolder.h"
#include "document/clsFileControl.h"
#include "editor/canvas/PreviewCanvas.h"
#include "editor/widgets/PictureBox.h"
#include "render/AreaOutlines.h"
#include "util/UserFile.h"

#include <QDir>
#include <QPainter>

using namespace Qt::StringLiterals;
using namespace PreviewPictures;

Q_DECLARE_METATYPE(Preview::RenderOptions)

class tst_RenderCommand : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pngEqualsPreview_data();
    void pngEqualsPreview();
    void failures_data();
    void failures();
    void looksAsTheCanvasMenuDraws_data();
    void looksAsTheCanvasMenuDraws();
    void dotDotAfterALinkLeadsWhereTheSystemSays();
    void strictCountsThePicturesOfTheLook_data();
    void strictCountsThePicturesOfTheLook();

private:
    ProcessRun velmora(const QStringList &arguments) const
    {
        return runProcess(QDir(programFolder()).filePath(u"velmora"_s), arguments, withoutDisplay(),
                          m_dir.path());
    }
    QString writeSkin(const QString &name, const QString &background,
                      const QStringList &elements) const;

    QTemporaryDir m_dir;
};

namespace {

QString button(const char *tag, int top, int left, const QString &image)
{
    return uR"(<%1 top="%2" left="%3" transparencycolor="#FF0000" image="%4" downimage="" hoverimage="" cursor="hand"/>)"_s
        .arg(QLatin1StringView(tag))
        .arg(top)
        .arg(left)
        .arg(image);
}

const QString kSeek =
    uR"(<seekslider top="60" left="5" width="100" height="20" transparencycolor="#FF0000" backgroundimage="" thumbimage="thumb.bmp" bordersize="10" direction="horizontal"/>)"_s;

} // namespace

void tst_RenderCommand::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(!write(m_dir, u"back.bmp"_s, background(120, 90)).isEmpty());
    QVERIFY(
        !write(m_dir, u"play.gif"_s, PreviewPictures::button(30, 20, qRgb(0, 0, 255))).isEmpty());
    QVERIFY(
        !write(m_dir, u"stop.bmp"_s, PreviewPictures::button(20, 10, qRgb(0, 200, 0))).isEmpty());
    QVERIFY(
        !write(m_dir, u"next.jpg"_s, PreviewPictures::button(16, 16, qRgb(250, 250, 0))).isEmpty());
    QVERIFY(
        !write(m_dir, u"thumb.bmp"_s, PreviewPictures::button(20, 20, qRgb(90, 0, 90))).isEmpty());
    QVERIFY(ImageFiles::writeFile(m_dir.filePath(u"broken.gif"_s), "GIF89a and nothing else"));
    QVERIFY(QDir(m_dir.path()).mkdir(u"folder.bmp"_s));
    // A corner of the transparency colour: a hole in the window's shape.
    QImage holed = background(120, 90);
    for (int y = 0; y < 20; ++y) {
        for (int x = 100; x < 120; ++x) {
            holed.setPixel(x, y, kKey);
        }
    }
    QVERIFY(!write(m_dir, u"holed.bmp"_s, holed).isEmpty());
}

QString tst_RenderCommand::writeSkin(const QString &name, const QString &background,
                                     const QStringList &elements) const
{
    QStringList lines{
        uR"(<theme id="velmora" title="render" author="" copyright="">)"_s,
        uR"(<view title="render" titlebar="False" backgroundimage="%1" transparencycolor="#FF0000" backgroundcolor="none">)"_s
            .arg(background)};
    lines += elements;
    lines += {u"</view>"_s, u"</theme>"_s, QString()};
    const QString path = m_dir.filePath(name);
    return ImageFiles::writeFile(path, lines.join(u"\r\n"_s).toUtf8()) ? path : QString();
}

void tst_RenderCommand::pngEqualsPreview_data()
{
    QTest::addColumn<QStringList>("elements");
    QTest::addColumn<QString>("leftOut"); // what standard error says, or empty

    QTest::newRow("background only") << QStringList() << QString();
    QTest::newRow("buttons overlapping, key colour left out")
        << QStringList{button("playbutton", 10, 20, u"play.gif"_s),
                       button("stopbutton", 15, 30, u"stop.bmp"_s),
                       button("closebutton", 80, 110, u"stop.bmp"_s)}
        << QString();
    QTest::newRow("optional button and slider present")
        << QStringList{button("playbutton", 0, 0, u"play.gif"_s),
                       button("nextbutton", 30, 70, u"next.jpg"_s), kSeek}
        << QString();
    QTest::newRow("undecodable button left out")
        << QStringList{button("playbutton", 5, 5, u"play.gif"_s),
                       button("stopbutton", 40, 40, u"broken.gif"_s)}
        << u"velmora: 警告: stopbutton %1/broken.gif: 画像として読み込めません。描画から外しました\n"_s;
    // Drawn nowhere, not at the top: a TOP the player does not take.
    QTest::newRow("place out of range left out")
        << QStringList{button("playbutton", 5, 5, u"play.gif"_s),
                       button("stopbutton", 40000, 40, u"stop.bmp"_s)}
        << u"velmora: 警告: stopbutton %1/stop.bmp: LEFT か TOP が 0 から 32767 "
           u"までの整数ではありま"
           u"せん。描画から外しました\n"_s;
}

void tst_RenderCommand::pngEqualsPreview()
{
    QFETCH(QStringList, elements);
    QFETCH(QString, leftOut);
    const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_');
    const QString skin = writeSkin(tag + u".wms"_s, u"back.bmp"_s, elements);
    QVERIFY(!skin.isEmpty());
    const QString png = m_dir.filePath(tag + u".png"_s);

    const ProcessRun run = velmora({u"render"_s, skin, png});
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err, leftOut.replace(u"%1"_s, m_dir.path()));

    // The same skin opened in the editor and shown in its preview panel.
    StartedEditor editor;
    QVERIFY(editor.window.Form_Load());
    hooks(editor.window).initAllElements();
    QVERIFY(hooks(editor.window).fileControl().readFile(skin));
    hooks(editor.window).loadPanels();
    hooks(editor.window).imgMenu(6)->click();
    const QImage shown = hooks(editor.window).previewCanvas().drawing();
    QVERIFY(!shown.isNull());

    const QImage drawn = QImage(png).convertToFormat(shown.format());
    QVERIFY2(drawn == shown, qPrintable(firstDifference(drawn, shown)));
    QVERIFY(editor.messages.messages.isEmpty());
}

void tst_RenderCommand::failures_data()
{
    QTest::addColumn<QString>("background");
    QTest::addColumn<QString>("picture"); // the play button's
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error"); // the start of standard error; %1 the folder

    const QString play = u"play.gif"_s;
    const QString out = u"out.png"_s;
    QTest::newRow("background missing")
        << u"gone.bmp"_s << play << QStringList() << out << 1
        << u"velmora: %1/failing.wms: 背景画像を描けません（ファイルが見つかりません）：%1/gone.bmp\n"_s;
    QTest::newRow("background undecodable")
        << u"broken.gif"_s << play << QStringList() << out << 1
        << u"velmora: %1/failing.wms: 背景画像を描けません（画像として読み込めません）：%1/broken.gif\n"_s;
    QTest::newRow("target folder missing")
        << u"back.bmp"_s << play << QStringList() << u"no/such/folder/out.png"_s << 1
        << u"velmora: 保存先のフォルダが見つかりません：%1/no/such/folder\n"_s;
    QTest::newRow("full disk")
        << u"back.bmp"_s << play << QStringList() << u"full/out.png"_s << 1
        << u"velmora: ディスクの空き容量が不足しています：%1/full/out.png\n"_s;
    // Left out and said so; drawn all the same unless --strict.
    QTest::newRow("picture missing")
        << u"back.bmp"_s << u"gone.bmp"_s << QStringList() << out << 0
        << u"velmora: 警告: playbutton %1/gone.bmp: ファイルが見つかりません。描画から外しました\n"_s;
    QTest::newRow("picture that is no file")
        << u"back.bmp"_s << u"folder.bmp"_s << QStringList() << out << 0
        << u"velmora: 警告: playbutton %1/folder.bmp: 通常のファイルではありません。描画から外しました\n"_s;
    QTest::newRow("picture missing, strict")
        << u"back.bmp"_s << u"gone.bmp"_s << QStringList{u"--strict"_s} << out << 1
        << u"velmora: playbutton %1/gone.bmp: ファイルが見つかりません\n"_s;
}

// Standard error says why, naming the file; a failure writes nothing.
void tst_RenderCommand::failures()
{
    QFETCH(QString, background);
    QFETCH(QString, picture);
    QFETCH(QStringList, options);
    QFETCH(QString, target);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    QVERIFY(
        !writeSkin(u"failing.wms"_s, background, {button("playbutton", 5, 5, picture)}).isEmpty());
    std::optional<TmpfsMount> disk;
    if (target.startsWith(u"full/"_s)) {
        QVERIFY(QDir(m_dir.path()).mkpath(u"full"_s));
        disk.emplace(m_dir.filePath(u"full"_s), u"16k"_s);
        if (!disk->isMounted()) {
            QSKIP(qPrintable(u"cannot mount a small tmpfs: "_s + disk->reason()));
        }
        QFile filler(m_dir.filePath(u"full/filler"_s));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {
        }
    }
    const QString output = m_dir.filePath(target);
    QFile::remove(output);

    const ProcessRun run =
        velmora(QStringList{u"render"_s} + options + QStringList{u"failing.wms"_s, target});

    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.err, error.replace(u"%1"_s, m_dir.path()));
    QCOMPARE(QFileInfo::exists(output), exitCode == 0);
}

void tst_RenderCommand::looksAsTheCanvasMenuDraws_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<Preview::RenderOptions>("looks"); // as chosen in the canvas's menu
    QTest::addColumn<bool>("outlines");
    using Look = Preview::ButtonLook;
    QTest::newRow("hover") << QStringList{u"--state"_s, u"hover"_s}
                           << Preview::RenderOptions{Look::Hover} << false;
    QTest::newRow("pressed") << QStringList{u"--state"_s, u"pressed"_s}
                             << Preview::RenderOptions{Look::Pressed} << false;
    QTest::newRow("sliders") << QStringList{u"--sliders"_s}
                             << Preview::RenderOptions{Look::Normal, true} << false;
    QTest::newRow("shape") << QStringList{u"--shape"_s}
                           << Preview::RenderOptions{Look::Normal, false, true} << false;
    QTest::newRow("outlines") << QStringList{u"--outlines"_s} << Preview::RenderOptions{} << true;
}

// Each option draws what the editor's canvas shows with the same choice.
void tst_RenderCommand::looksAsTheCanvasMenuDraws()
{
    QFETCH(QStringList, options);
    QFETCH(Preview::RenderOptions, looks);
    QFETCH(bool, outlines);
    const QString skin = writeSkin(
        u"looks.wms"_s, u"holed.bmp"_s,
        {uR"(<playbutton top="10" left="20" transparencycolor="#FF0000" image="play.gif" downimage="next.jpg" hoverimage="stop.bmp" cursor="hand"/>)"_s,
         button("stopbutton", 40, 40, u"stop.bmp"_s), button("closebutton", 60, 90, u"stop.bmp"_s),
         uR"(<seekslider top="60" left="5" width="100" height="20" transparencycolor="#FF0000" backgroundimage="next.jpg" thumbimage="thumb.bmp" bordersize="10" direction="horizontal"/>)"_s,
         uR"(<playlist top="20" left="60" width="50" height="30" backgroundcolor="#000000" foregroundcolor="#FFFFFF" listitemvis="true" columnvis="false" dropdownvis="true"/>)"_s});
    QVERIFY(!skin.isEmpty());
    const ProcessRun run =
        velmora(QStringList{u"render"_s} + options + QStringList{skin, u"looks.png"_s});
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 0);

    StartedEditor editor;
    QVERIFY(editor.window.Form_Load());
    hooks(editor.window).initAllElements();
    QVERIFY(hooks(editor.window).fileControl().readFile(skin));
    hooks(editor.window).loadPanels();
    hooks(editor.window).previewTool().setOptions(looks, outlines);
    hooks(editor.window).imgMenu(6)->click();
    QImage shown = hooks(editor.window).previewCanvas().drawing();
    QVERIFY(!shown.isNull());
    if (outlines) {
        QPainter painter(&shown);
        for (const Preview::Area &area :
             Preview::pictureLessAreas(hooks(editor.window).fileControl())) {
            Preview::drawAreaOutline(painter, area);
        }
    }
    const QImage drawn = QImage(m_dir.filePath(u"looks.png"_s)).convertToFormat(shown.format());
    QVERIFY2(drawn == shown, qPrintable(firstDifference(drawn, shown)));
    // A different look draws a different picture: the option was taken.
    const ProcessRun plain = velmora({u"render"_s, skin, u"plain.png"_s});
    QVERIFY(QImage(m_dir.filePath(u"plain.png"_s)).convertToFormat(shown.format()) != drawn);
}

// A picture the chosen look draws, named but not there: the element is drawn
// in its first look, or without its background, and --strict fails.
void tst_RenderCommand::strictCountsThePicturesOfTheLook_data()
{
    QTest::addColumn<QStringList>("look");
    QTest::addColumn<QString>("missing");
    QTest::newRow("hover") << QStringList{u"--state"_s, u"hover"_s} << u"gone-hover.bmp"_s;
    QTest::newRow("pressed") << QStringList{u"--state"_s, u"pressed"_s} << u"gone-down.bmp"_s;
    QTest::newRow("slider background") << QStringList{u"--sliders"_s} << u"gone-back.bmp"_s;
}

void tst_RenderCommand::strictCountsThePicturesOfTheLook()
{
    QFETCH(QStringList, look);
    QFETCH(QString, missing);
    QVERIFY(!writeSkin(u"looks.wms"_s, u"back.bmp"_s,
                       {QString(button("playbutton", 5, 5, u"play.gif"_s))
                            .replace(u"downimage=\"\""_s, u"downimage=\"gone-down.bmp\""_s)
                            .replace(u"hoverimage=\"\""_s, u"hoverimage=\"gone-hover.bmp\""_s),
                        QString(kSeek).replace(u"backgroundimage=\"\""_s,
                                               u"backgroundimage=\"gone-back.bmp\""_s)})
                 .isEmpty());
    for (const bool strict : {false, true}) {
        const QStringList options = strict ? look + QStringList{u"--strict"_s} : look;
        const ProcessRun run =
            velmora(QStringList{u"render"_s} + options + QStringList{u"looks.wms"_s, u"l.png"_s});
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, strict ? 1 : 0);
        QVERIFY2(run.err.contains(m_dir.filePath(missing) + u": "_s +
                                  UserFile::refusalText(UserFile::Refusal::Missing)),
                 qPrintable(run.err));
        QCOMPARE(run.err.count(u'\n'), 1); // only the look's own picture
    }
}

// "lk/../x.png", lk a link to another folder's sub-folder: the picture goes
// into that other folder, as the shell's own commands would put it.
void tst_RenderCommand::dotDotAfterALinkLeadsWhereTheSystemSays()
{
    QTemporaryDir elsewhere;
    QVERIFY(QDir(elsewhere.path()).mkdir(u"deep"_s));
    QVERIFY(QFile::link(elsewhere.filePath(u"deep"_s), m_dir.filePath(u"lk"_s)));
    QVERIFY(!writeSkin(u"linked.wms"_s, u"back.bmp"_s, {}).isEmpty());

    const ProcessRun run = velmora({u"render"_s, u"linked.wms"_s, u"lk/../linked.png"_s});

    QVERIFY2(run.succeeded(), qPrintable(run.err));
    QVERIFY(QFileInfo::exists(elsewhere.filePath(u"linked.png"_s)));
    QVERIFY(!QFileInfo::exists(m_dir.filePath(u"linked.png"_s)));
}

QTEST_MAIN(tst_RenderCommand)
#include "tst_render_command.moc"
