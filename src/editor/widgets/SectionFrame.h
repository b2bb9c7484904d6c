#pragma once

#include <QColor>
#include <QGroupBox>

// A frame of the panels: its caption sits on the border in the section
// colour; a borderless frame only groups its option buttons and draws nothing.
class SectionFrame : public QGroupBox {
    Q_OBJECT
public:
    SectionFrame(const QString &caption, bool borderless, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_borderless;
};
