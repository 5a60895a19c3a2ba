// Program start: for now one empty window titled "Arvinto" that runs until closed.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Arvinto"));
    window.resize(640, 480);
    window.show();
    return app.exec();
}
