// The yardstick for the program's idle memory and start: a Qt main window of the program's size
// with a menu bar and a label, and nothing else.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Luftikon"));
    window.menuBar()
        ->addMenu(QStringLiteral("&Datei"))
        ->addAction(QStringLiteral("&Beenden"), &app, &QApplication::quit);
    window.setCentralWidget(new QLabel(QStringLiteral("Luftikon")));
    window.resize(796, 720);
    window.show();
    return app.exec();
}
