// The floor a Qt window shows at: an empty main window of Pelora's size, shown at once.
// bench/headless_start.sh times Pelora's window against it.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Pelora"));
    window.resize(281, 300);
    window.show();
    return QApplication::exec();
}
