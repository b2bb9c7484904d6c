#pragma once

#include "document/clsElement.h"
#include "document/clsFileControl.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

using namespace Qt::StringLiterals;

namespace WmsFixtures {

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    return file.readAll();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Joins lines with CR LF after each, as the writer ends every line.
inline QByteArray crlfLines(std::initializer_list<const char *> lines)
{
    QByteArray out;
    for (const char *line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

inline void setButton(clsFileControl &doc, qint16 slot, const QString &top, const QString &left,
                      const QString &up, const QString &down, const QString &hover)
{
    auto record = doc.getElement(slot);
    record->setExistFlag(1);
    record->setTop(top);
    record->setLeft(left);
    record->setTranscolor(u"#FF0000"_s);
    record->setUpimage(up);
    record->setDownimage(down);
    record->setHoverimage(hover);
}

// Every element present, Japanese title and author, image paths with blanks
// under imageFolder; every value distinct so a mix-up shows.
inline void fillFullDocument(clsFileControl &doc, const QString &imageFolder)
{
    const auto image = [&](const QString &name) { return QDir(imageFolder).filePath(name); };
    auto theme = doc.getElement(Slot::Theme);
    theme->setTitle(u"青い空 スキン"_s);
    theme->setAuthor(u"山田 太郎"_s);
    theme->setCopyright(u"2026 山田"_s);

    auto view = doc.getElement(Slot::View);
    view->setTitlebar(u"True"_s);
    view->setUpimage(image(u"back ground.bmp"_s));
    view->setTranscolor(u"#00FF00"_s);

    for (qint16 slot = Slot::PlayButton; slot <= Slot::ReturnButton; ++slot) {
        const QString n = QString::number(slot);
        setButton(doc, slot, n + u'1', n + u'2', image(u"up "_s + n + u".bmp"_s),
                  image(u"down "_s + n + u".bmp"_s), image(u"hover "_s + n + u".gif"_s));
        doc.getElement(slot)->setTranscolor(u"#0000"_s + n);
    }
    for (qint16 slot = Slot::VolumeSlider; slot <= Slot::BalanceSlider; ++slot) {
        const QString n = QString::number(slot);
        auto slider = doc.getElement(slot);
        slider->setExistFlag(1);
        slider->setTop(n + u'1');
        slider->setLeft(n + u'2');
        slider->setWidth(n + u'3');
        slider->setHeight(n + u'4');
        slider->setTranscolor(u"#1111"_s + n);
        slider->setHoverimage(image(u"slider back "_s + n + u".bmp"_s));
        slider->setUpimage(image(u"thumb "_s + n + u".jpg"_s));
        slider->setBordersize(u"7.5"_s);
        slider->setDirection(slot == Slot::VolumeSlider ? u"vertical"_s : u"horizontal"_s);
    }
    auto playlist = doc.getElement(Slot::Playlist);
    playlist->setExistFlag(1);
    playlist->setTop(u"161"_s);
    playlist->setLeft(u"162"_s);
    playlist->setWidth(u"163"_s);
    playlist->setHeight(u"164"_s);
    playlist->setForecolor(u"#161616"_s);
    playlist->setBackcolor(u"#616161"_s);
    playlist->setDropdownvis(u"False"_s);

    auto track = doc.getElement(Slot::TrackNameText);
    track->setExistFlag(1);
    track->setTop(u"171"_s);
    track->setLeft(u"172"_s);
    track->setWidth(u"173"_s);
    track->setFontsize(u"12"_s);
    track->setForecolor(u"#171717"_s);
    track->setBackcolor(u"#717171"_s);
    track->setScrolling(u"False"_s);
    track->setScrollamt(u"9"_s);

    // The editor keeps one record for the video and effects areas.
    auto area = std::make_shared<clsElement>();
    area->setExistFlag(1);
    area->setTop(u"181"_s);
    area->setLeft(u"182"_s);
    area->setWidth(u"183"_s);
    area->setHeight(u"184"_s);
    doc.setElement(area, Slot::Video);
    doc.setElement(area, Slot::Effects);
}

} // namespace WmsFixtures
