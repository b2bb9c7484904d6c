#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QTimer;

// The short "書き込み中・・・・" window shown after a save: a bar fills the
// white box on a fixed timer and the window then closes itself. It carries
// no real progress; it confirms that the skin was written.
class frmProgress : public QDialog {
    Q_OBJECT
public:
    // The bar's goal and step, in twips.
    static constexpr int kBoxWidth = 3600;
    static constexpr int kStep = 300;
    static constexpr int kIntervalMs = 10;
    // How long the bar waits for a window that is never drawn.
    static constexpr int kUndrawnWaitMs = 1000;

    explicit frmProgress(QWidget *owner);

    void Form_Load();
    void Form_Activate();
    void Timer1_Timer();

    // Width of Label1(i) in twips, as the timer compares them.
    int labelWidth(int index) const;

    // 0: the white box, 1: the bar, 2: the text.
    std::array<QLabel *, 3> Label1{};
    QTimer *Timer1 = nullptr;

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setLabelWidth(int index, int twips);
    void fitText();
    void startBar();

    std::array<int, 3> m_widths{};
    bool m_started = false;
};
