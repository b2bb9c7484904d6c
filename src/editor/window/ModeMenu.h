#pragma once

#include "editor/panels/LayoutTables.h"

#include <QObject>
#include <QString>
#include <array>
#include <span>

class ImageButton;
class MessageSink;
class QAction;
class QFrame;
class QPushButton;

// The side menu: its two sets of buttons (cmdMenu 1 shows the edit set, the
// seven mode buttons imgMenu 0..6; cmdMenu 0 the file set, imgMenu 7..9) and
// the panel each mode button brings forward, the button of the panel shown
// in its selected picture. The file set runs the menu bar's file commands.
class ModeMenu : public QObject {
    Q_OBJECT
public:
    struct Controls {
        std::span<QPushButton *const> cmdMenu;
        std::span<ImageButton *const> imgMenu;
        std::span<QFrame *const> picture2;
    };
    struct FileCommands {
        QAction *newSkin;
        QAction *open;
        QAction *save;
    };

    ModeMenu(Controls controls, FileCommands commands, MessageSink &messages,
             QObject *parent = nullptr);

    // Start-up: the edit set, the first panel, the mode pictures of packageFolder.
    void reset(const QString &packageFolder);
    // The file the selected picture of mode button index is read from.
    QString selectedPicture(int index) const;

    void cmdMenu_Click(int Index);
    void imgMenu_Click(int Index);
    // 1: the edit set is shown, 0: the file set.
    qint16 editMenuShown() const { return m_editMenuShown; }
    // The edit set, then the panel: as a person gets to a field of it.
    void showPanel(int panel);

signals:
    // A panel is about to be shown (still hidden): the preview draws then.
    void panelShowing(int panel);

private:
    void showModePicture(int index, const QString &fileName);

    Controls m_controls;
    FileCommands m_commands;
    MessageSink &m_messages;
    qint16 m_editMenuShown = 1;
    QString m_packageFolder;
    std::array<QString, Layout::kEditMenuCount> m_pictures;
    std::array<QString, Layout::kEditMenuCount> m_selectedPictures;
};
