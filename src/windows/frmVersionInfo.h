#pragma once

#include "util/VersionInfo.h"

#include <QDialog>
#include <array>

class QFrame;
class QLabel;
class QPushButton;

// The about box: the program's picture, title, version line, comment and
// copyright. One instance per showing; OK, Escape and the close box all close it.
class frmVersionInfo : public QDialog {
    Q_OBJECT
public:
    explicit frmVersionInfo(QWidget *owner = nullptr, VersionInfo version = VersionInfo::program());

    // Fills the labels from the version record; the constructor runs it.
    void Form_Load();
    void Command1_Click();

    // Whatever closes the window (the close box, Escape) acts as OK.
    void reject() override;

    QLabel *Image1 = nullptr;
    std::array<QLabel *, 4> Label1{};
    std::array<QFrame *, 2> Line1{};
    QPushButton *Command1 = nullptr;

private:
    void buildControls();

    VersionInfo m_version;
};
