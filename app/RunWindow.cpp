#include <QApplication>
#include <QTextStream>

int RunWindow(int argc, char** argv, const QString&)
{
    QApplication app(argc, argv);
    QTextStream(stderr) << "pelora: the window is not built yet; use --report.\n";
    return 1;
}
