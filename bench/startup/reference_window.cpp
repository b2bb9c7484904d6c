// The baselines of the start-up benchmark: a Qt Widgets program that shows a
// window of the editor's size and nothing else, or, given "label", the same
// window showing one Japanese text in the system's font, which makes Qt load
// fontconfig and a Japanese font as the editor must.
#include <QApplication>
#include <QLabel>
#include <QWidget>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool label = QApplication::arguments().contains(u"label"_s);
    QWidget window;
    window.setWindowTitle(label ? u"Velmora startup baseline label"_s
                                : u"Velmora startup baseline"_s);
    window.setFixedSize(742, 618); // the editor's client size
    if (label) {
        auto *text = new QLabel(u"スキンの編集を始めます"_s, &window);
        text->move(16, 16);
    }
    window.show();
    return QApplication::exec();
}
