#pragma once

#include <QPoint>
#include <QUndoCommand>

class PreviewCanvas;

// One move of an element on the preview: a drag, or a run of arrow keys on
// one element (run > 0), whose steps merge into one.
class MoveCommand : public QUndoCommand {
public:
    MoveCommand(PreviewCanvas &canvas, qint16 slot, QPoint from, QPoint to, int run = 0);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    PreviewCanvas &m_canvas;
    qint16 m_slot;
    QPoint m_from;
    QPoint m_to;
    int m_run;
};
