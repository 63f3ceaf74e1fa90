#pragma once
// Failures the user must see, as a modal message box with an OK button under the program's title.
// The box belongs to the main window once there is one, so it never hides behind an always-on-top
// frame, whatever window happens to be active when the failure is found.

#include "platform/core/MessageSink.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class CMessageBoxSink : public IMessageSink {
public:
    explicit CMessageBoxSink(QString title) : m_title(std::move(title)) {}
    void SetOwner(QWidget* owner) { m_owner = owner; }
    void ShowMessage(const std::string& text) override;

private:
    QString m_title;
    QPointer<QWidget> m_owner;
};
