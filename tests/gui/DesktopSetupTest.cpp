#include "../TestSupport.h"
#include "app/DesktopSetup.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {
TEST(DesktopSetupTest, QtsOwnDialogsSpeakTheUsersLanguage)
{
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QTranslator* translator = LoadQtTranslations(*qApp);
    QLocale::setDefault(QLocale::c());
    ASSERT_NE(translator, nullptr);
    EXPECT_NE(QColorDialog::tr("&Basic colors"), QStringLiteral("&Basic colors"));
    qApp->removeTranslator(translator);
}

// The picker's custom colours go nowhere: the program writes no file but its settings.
TEST(DesktopSetupTest, ColourPickerLeavesNoFileOfItsOwn)
{
    const QString qtFile = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                           + QStringLiteral("/QtProject.conf");
    const QDateTime before = QFileInfo(qtFile).lastModified();
    KeepQtDialogStateOut();
    {
        QColorDialog picker;
        QColorDialog::setCustomColor(0, QColor(1, 2, 3));
    }
    EXPECT_EQ(QFileInfo(qtFile).lastModified(), before);
}
} // namespace
