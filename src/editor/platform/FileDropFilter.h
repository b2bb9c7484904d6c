#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QMimeData;
class QWidget;

// Takes drags of one local file onto the widgets it watches and hands them to
// the window: accepts() decides while the file is dragged over a widget,
// drop() acts when it is let go. Other drags (text between fields) go on as
// the widgets handle them; a file the window does not take is refused, so a
// field never receives a file's address as text.
class FileDropFilter : public QObject {
public:
    using Accepts = std::function<bool(const QWidget *target, const QString &path)>;
    using Drop = std::function<void(QWidget *target, const QString &path)>;

    FileDropFilter(Accepts accepts, Drop drop, QObject *parent);

    void watch(QWidget *widget);

    // The local file the data names, when it names exactly one.
    static std::optional<QString> droppedFile(const QMimeData *data);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Accepts m_accepts;
    Drop m_drop;
};
