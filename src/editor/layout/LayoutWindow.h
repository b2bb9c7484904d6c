#pragma once

#include "LayoutView.h"
#include "render/KeptPictures.h"

#include <QTimer>
#include <QWidget>
#include <functional>

class BoundField;
class EditHistory;
class PanelPlacements;
class PreviewCanvas;
class QAction;
class QLabel;

// The skin beside the panels, live: every change of the panels is drawn at
// once, at any zoom, and elements are selected, moved, aligned and
// distributed here as steps of the one edit history. Not modal; its size
// and place are remembered between runs. Closing it changes nothing.
class LayoutWindow : public QWidget {
    Q_OBJECT
public:
    // What the panels show now, rendered as the preview renders it.
    // kept: the pictures this window keeps between renderings.
    using SkinSource = std::function<ShownSkin(KeptPictures &kept)>;

    // looks: the preview's canvas, whose looks this window shows and sets.
    LayoutWindow(PanelPlacements &fields, EditHistory &history, PreviewCanvas &looks,
                 SkinSource source, QWidget *parent = nullptr);
    ~LayoutWindow() override;

    // The skin file the panels edit, for the title; empty for a new skin.
    void setSkinFileName(const QString &fileName);
    LayoutView &view() { return *m_view; }
    // The window's commands, for its menus, tool bar and tests.
    QAction *alignAction(int command) const { return m_arrange.at(std::size_t(command)); }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildMenus();
    void scheduleRedraw();
    void redraw();
    void arrange(int command);
    void followSelection();
    void showZoom();

    PanelPlacements &m_placements;
    EditHistory &m_history;
    PreviewCanvas &m_previewCanvas;
    SkinSource m_source;
    KeptPictures m_kept; // while the window is shown
    LayoutView *m_view;
    QTimer m_redraw;
    std::vector<QAction *> m_arrange;
    QLabel *m_zoom = nullptr;
    QLabel *m_name = nullptr;
    BoundField *m_left = nullptr;
    BoundField *m_top = nullptr;
    QLabel *m_size = nullptr;
};
