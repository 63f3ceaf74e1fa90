// The floor a command-line Qt program starts at: QtCore loaded, an application object made, one
// line printed. bench/headless_start.sh times pelora --report against it.
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::puts("floor");
    return 0;
}
