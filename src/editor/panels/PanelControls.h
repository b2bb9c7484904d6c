#pragma once

#include <QtGlobal>
#include <span>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;

// The panels' controls by array, indexed as the layout tables say: what the
// classes that read or change the skin's values need of the main window.
struct PanelControls {
    std::span<QLineEdit *const> Text1;
    std::span<QCheckBox *const> Check1;
    std::span<QCheckBox *const> Check2;
    std::span<QRadioButton *const> Option1;
    std::span<QComboBox *const> Combo1;
    std::span<QLabel *const> Label2;
    std::span<QFrame *const> picture2; // the panels themselves
};
