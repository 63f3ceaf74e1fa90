#include "../TestSupport.h"
#include "platform/gui/HelpViewer.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {
// An installed program finds its help in the data folder of the tree it was installed into.
TEST(HelpViewerTest, InstalledProgramFindsItsHelpInItsOwnTree)
{
    CScratchFolder folder;
    QCoreApplication::setOrganizationName(QStringLiteral("Brisolt"));
    QCoreApplication::setApplicationName(QStringLiteral("Pelora"));
    std::filesystem::create_directories(folder.Path("usr/bin"));
    std::filesystem::create_directories(folder.Path("usr/share/Brisolt/Pelora"));
    const std::string help = folder.Write("usr/share/Brisolt/Pelora/pelora.html", "<html></html>");
    const QString program = QString::fromStdString(folder.Path("usr/bin/pelora").string());
    EXPECT_EQ(CHelpViewer::HelpFileFor(program).toStdString(), std::filesystem::canonical(help).string());
    // Beside the program (a build) comes first.
    const std::string beside = folder.Write("usr/bin/pelora.html", "<html></html>");
    EXPECT_EQ(CHelpViewer::HelpFileFor(program).toStdString(), beside);
}
} // namespace
