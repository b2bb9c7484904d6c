#pragma once

#include <QLineEdit>
#include <QPointer>

// A field of the layout window that stands for a field of the panels: it
// shows that field's text, and every key typed here is typed there, so the
// panel's key rules, its edit history and its check apply unchanged.
class BoundField : public QLineEdit {
public:
    explicit BoundField(QWidget *parent = nullptr);

    // The panel field this one stands for; null: none, greyed.
    void bind(QLineEdit *target);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void mirror();

    QPointer<QLineEdit> m_target;
    QMetaObject::Connection m_follow;
};
