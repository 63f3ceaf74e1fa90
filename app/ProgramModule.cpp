#include "app/ProgramModule.h"

#include "platform/core/PathText.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <filesystem>

namespace {
// The program's own folder, found without an application object (the module makes that).
QString ProgramFolder(const char* argv0)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return QFileInfo(error ? QString::fromLocal8Bit(argv0) : DecodePath(self.string())).absolutePath();
}
} // namespace

int RunModule(const char* name, int failureStatus, int argc, char** argv, const CommandLine& line,
              CQtProfileStore& stored, QTextStream& err)
{
    const QString folder = ProgramFolder(argv[0]);
    QLibrary module;
    for (const QString& place : {folder, QDir::cleanPath(folder + QStringLiteral("/" PELORA_MODULE_FOLDER))}) {
        module.setFileName(QDir(place).filePath(QString::fromLatin1(name)));
        if (module.load())
            break;
    }
    const auto entry = reinterpret_cast<ModuleMain>(module.resolve(kModuleMainName));
    if (!entry) {
        err << "pelora: " << module.fileName() << QStringLiteral(" を読み込めませんでした (") << module.errorString() << ")\n";
        return failureStatus;
    }
    return entry(argc, argv, line, stored);
}
