#include "platform/gui/MessageBoxSink.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
// The box is owned by the main window, not by whatever window happened to be active.
TEST(MessageBoxSinkTest, BoxBelongsToTheOwnerWithTheProgramsTitle)
{
    QWidget owner;
    QWidget other;
    other.show();
    other.activateWindow();
    CMessageBoxSink sink(QStringLiteral("Pelora"));
    sink.SetOwner(&owner);
    QWidget* parent = nullptr;
    QString title, text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        parent = box->parentWidget();
        title = box->windowTitle();
        text = box->text();
        box->accept();
    });
    sink.ShowMessage("2:料金ファイルが開けませんでした");
    EXPECT_EQ(parent, &owner);
    EXPECT_EQ(title, QStringLiteral("Pelora"));
    EXPECT_EQ(text, QStringLiteral("2:料金ファイルが開けませんでした"));
}
} // namespace
