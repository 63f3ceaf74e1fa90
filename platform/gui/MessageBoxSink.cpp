#include "platform/gui/MessageBoxSink.h"

#include <QMessageBox>

void CMessageBoxSink::ShowMessage(const std::string& text)
{
    QMessageBox box(QMessageBox::Warning, m_title, QString::fromStdString(text), QMessageBox::Ok,
                    m_owner.data());
    box.exec();
}
