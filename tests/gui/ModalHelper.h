#pragma once
// Acts on a modal dialog once it is up: polls until the active modal widget is a T and has become
// the active window (so focus has settled), then runs the action on it once. For dialogs whose exec() the test itself is blocked in.

#include <QApplication>
#include <QTimer>
#include <functional>

template <class T> void WhenModal(std::function<void(T*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog && dialog->isActiveWindow()) {
            timer->stop();
            timer->deleteLater();
            action(dialog);
        }
    });
    timer->start();
}
