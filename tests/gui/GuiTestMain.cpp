// GUI tests run headless: the offscreen platform, a QApplication, then GoogleTest.

#include "platform/gui/AccessibleContent.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    InstallAccessibleContent();
    return RUN_ALL_TESTS();
}
