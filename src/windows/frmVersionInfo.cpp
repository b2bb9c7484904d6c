#include "frmVersionInfo.h"

#include "util/Twips.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// Client area and places in twips, as laid out.
constexpr QSize kClientTwips(6075, 1920);
constexpr QRect kImage1(360, 225, 480, 480);
constexpr QRect kCommand1(4515, 1455, 1395, 345);

// The labels by index, each with its design caption, which loading replaces.
struct LabelRow {
    std::size_t index;
    QRect box;
    QStringView caption;
};
constexpr std::array<LabelRow, 4> kLabel1{{
    {0, {1530, 225, 2445, 255}, u"AppTitle"},
    {1, {1530, 540, 2280, 255}, u"AppVersion"},
    {2, {420, 1530, 3165, 255}, u"Copyright"},
    {3, {1530, 855, 3615, 255}, u"Infomation"},
}};

// An etched rule: a line in the window text colour with one in the highlight
// text colour 15 twips below it.
struct LineRow {
    std::size_t index;
    int left;
    int right;
    int top;
    QPalette::ColorRole color;
};
constexpr std::array<LineRow, 2> kLine1{{
    {0, 60, 5985, 1275, QPalette::WindowText},
    {1, 60, 5985, 1290, QPalette::HighlightedText},
}};

QString indexedName(QStringView array, std::size_t index)
{
    return array.toString() + u'_' + QString::number(index);
}

} // namespace

frmVersionInfo::frmVersionInfo(QWidget *owner, VersionInfo version)
    : QDialog(owner), m_version(std::move(version))
{
    setObjectName(u"frmVersionInfo"_s);
    setWindowTitle(u"バージョン情報"_s);
    // A fixed dialog border: no minimise, maximise or help box.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(Twips::toPixels(kClientTwips));
    buildControls();
    Form_Load();
}

void frmVersionInfo::buildControls()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setGeometry(Twips::toPixels(kImage1));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(QIcon(u":/pictures/velmora.png"_s).pixmap(Image1->size()));

    for (const LabelRow &row : kLabel1) {
        QLabel *label = new QLabel(row.caption.toString(), this);
        label->setObjectName(indexedName(u"Label1", row.index));
        label->setGeometry(Twips::toPixels(row.box));
        Label1[row.index] = label;
    }

    for (const LineRow &row : kLine1) {
        QFrame *line = new QFrame(this);
        line->setObjectName(indexedName(u"Line1", row.index));
        line->setGeometry(Twips::toPixels(row.left), Twips::toPixels(row.top),
                          Twips::toPixels(row.right - row.left), 1);
        line->setAutoFillBackground(true);
        QPalette palette = line->palette();
        palette.setColor(QPalette::Window, palette.color(row.color));
        line->setPalette(palette);
        Line1[row.index] = line;
    }

    Command1 = new QPushButton(u"OK"_s, this);
    Command1->setObjectName(u"Command1"_s);
    Command1->setGeometry(Twips::toPixels(kCommand1));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &frmVersionInfo::Command1_Click);
}

void frmVersionInfo::Form_Load()
{
    Label1[0]->setText(m_version.title);
    // Two blanks after "Version", as the line has always read.
    Label1[1]->setText(u"Version  "_s + m_version.number());
    Label1[3]->setText(m_version.comment);
    Label1[2]->setText(m_version.copyright);
}

void frmVersionInfo::Command1_Click()
{
    accept();
}

void frmVersionInfo::reject()
{
    Command1_Click();
}
