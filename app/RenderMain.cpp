// The picture's module: the view drawn into a PNG with QtGui alone, on no display.

#include "app/ProgramModule.h"
#include "app/Render.h"
#include "platform/core/QtProfileStore.h"

#include <QGuiApplication>

extern "C" Q_DECL_EXPORT int PeloraModuleMain(int argc, char** argv, const CommandLine& line, CQtProfileStore& stored)
{
    static_assert(std::is_same_v<decltype(&PeloraModuleMain), ModuleMain>);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    return RunRender(line, CSettings(stored), err);
}
