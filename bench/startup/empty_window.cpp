// The baseline of the start-up benchmark: a Qt Widgets program that shows an
// empty window of the editor's size and nothing else.
#include <QApplication>
#include <QWidget>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(u"Velmora startup baseline"_s);
    window.setFixedSize(742, 618); // the editor's client size
    window.show();
    return QApplication::exec();
}
