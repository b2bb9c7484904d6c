#include "frmProgress.h"

#include "util/Twips.h"

#include <QEvent>
#include <QLabel>
#include <QPalette>
#include <QTimer>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int kClientWidth = 3855;
constexpr int kClientHeight = 660;

struct LabelRow {
    int left, top, width, height;
    QRgb back;
    QRgb fore;
    bool border;
    QStringView text;
};

constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kBarColor = 0xFFE0C0;  // RGB(255,224,192)
constexpr QRgb kTextColor = 0xFF8000; // RGB(255,128,0)

// Bottom to top: the box, the bar over it, the text over both.
constexpr std::size_t kTextLabel = 2;
constexpr LabelRow kLabels[] = {
    {135, 180, frmProgress::kBoxWidth, 330, kWhite, 0, true, {}},
    {165, 210, 3105, 270, kBarColor, 0, false, {}},
    {1395, 255, 1245, 180, kBarColor, kTextColor, false, u"書き込み中・・・・"},
};

void paint(QLabel *label, QRgb back, QRgb fore)
{
    QPalette colors = label->palette();
    colors.setColor(QPalette::Window, QColor(back));
    colors.setColor(QPalette::WindowText, QColor(fore));
    label->setPalette(colors);
    label->setAutoFillBackground(true);
}

} // namespace

frmProgress::frmProgress(QWidget *owner) : QDialog(owner, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(u"frmProgress"_s);
    // The program's font is its main window's; a window of its own would
    // otherwise take the system's.
    if (owner) {
        setFont(owner->window()->font());
    }
    setModal(true);
    setFixedSize(Twips::toPixels(QSize(kClientWidth, kClientHeight)));
    for (std::size_t i = 0; i < Label1.size(); ++i) {
        const LabelRow &row = kLabels[i];
        Label1[i] = new QLabel(row.text.toString(), this);
        Label1[i]->setObjectName(u"Label1_%1"_s.arg(i));
        paint(Label1[i], row.back, row.fore);
        if (row.border) {
            Label1[i]->setFrameStyle(QFrame::Box | QFrame::Plain);
        }
        Label1[i]->move(Twips::toPixels(row.left), Twips::toPixels(row.top));
        Label1[i]->setFixedHeight(Twips::toPixels(row.height));
        setLabelWidth(static_cast<int>(i), row.width);
    }
    Label1[kTextLabel]->setAlignment(Qt::AlignCenter);
    fitText();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    connect(Timer1, &QTimer::timeout, this, &frmProgress::Timer1_Timer);
    Form_Load();
}

void frmProgress::Form_Load()
{
    setLabelWidth(1, 0);
    Timer1->setInterval(kIntervalMs);
}

void frmProgress::Form_Activate()
{
    Timer1->start();
}

// Strictly greater: at the box's own width the bar grows once more, past
// the box, and the next tick closes the window.
void frmProgress::Timer1_Timer()
{
    if (labelWidth(1) > labelWidth(0)) {
        Timer1->stop();
        done(QDialog::Accepted);
        return;
    }
    setLabelWidth(1, labelWidth(1) + kStep);
}

int frmProgress::labelWidth(int index) const
{
    return m_widths.at(static_cast<std::size_t>(index));
}

void frmProgress::setLabelWidth(int index, int twips)
{
    m_widths.at(static_cast<std::size_t>(index)) = twips;
    Label1.at(static_cast<std::size_t>(index))->setFixedWidth(Twips::toPixels(twips));
}

// The text's label grows about its laid-out centre until its whole text
// fits in the window's font, staying inside the window.
void frmProgress::fitText()
{
    const LabelRow &row = kLabels[kTextLabel];
    QLabel *label = Label1[kTextLabel];
    const QRect laidOut = Twips::toPixels(QRect(row.left, row.top, row.width, row.height));
    QRect fitted(QPoint(), label->sizeHint().expandedTo(laidOut.size()).boundedTo(size()));
    fitted.moveCenter(laidOut.center());
    fitted.moveTo(std::clamp(fitted.left(), 0, width() - fitted.width()),
                  std::clamp(fitted.top(), 0, height() - fitted.height()));
    label->setFixedSize(fitted.size());
    label->move(fitted.topLeft());
}

void frmProgress::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::FontChange && Label1[kTextLabel]) {
        fitText();
    }
}

void frmProgress::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QWidget *owner = parentWidget()) {
        move(owner->window()->frameGeometry().center() - rect().center());
    }
    // A window that is never drawn (its owner minimised, another desktop)
    // still closes by itself, a moment later.
    QTimer::singleShot(kUndrawnWaitMs, this, &frmProgress::startBar);
}

// The bar starts once the window has been drawn: a window system that maps
// it late would otherwise close it before the user ever saw it. Painting
// does not wait for activation, so a window manager that never activates
// the window cannot keep it open for good.
void frmProgress::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    startBar();
}

void frmProgress::startBar()
{
    if (!m_started) {
        m_started = true;
        Form_Activate();
    }
}
