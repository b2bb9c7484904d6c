#include "MessageBoxSink.h"

#include <QApplication>
#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// Message texts break their lines with CR LF; a box shows a bare LF as the break.
QString displayText(QString text)
{
    return text.replace(u"\r\n"_s, u"\n"_s);
}

} // namespace

void MessageBoxSink::showMessage(const QString &text, const QString &title, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), title, displayText(text), QMessageBox::Ok, m_owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

namespace {

QMessageBox::StandardButton ask(QWidget *owner, const QString &text, const QString &title,
                                QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::Question, title, displayText(text), buttons, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

bool MessageBoxSink::askYesNo(const QString &text, const QString &title)
{
    return ask(m_owner, text, title, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

// Escape and the close box step back: Cancel.
Answer MessageBoxSink::askYesNoCancel(const QString &text, const QString &title)
{
    switch (ask(m_owner, text, title, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void MessageBoxSink::beep()
{
    QApplication::beep();
}
