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

bool MessageBoxSink::askYesNo(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, displayText(text),
                    QMessageBox::Yes | QMessageBox::No, m_owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxSink::beep()
{
    QApplication::beep();
}
