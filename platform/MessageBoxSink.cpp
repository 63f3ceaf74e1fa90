#include "platform/MessageBoxSink.h"

#include "res/Resource.h"

#include <QApplication>
#include <QMessageBox>

void CMessageBoxSink::ShowMessage(const std::string& text)
{
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kAppTitle), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}
