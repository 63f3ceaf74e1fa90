#pragma once
// Acts on a modal dialog once it is up: polls until the active modal widget is a T, then runs the
// action on it once. For dialogs whose exec() the test itself is blocked in.

#include <QApplication>
#include <QTimer>
#include <functional>

template <class T> void WhenModal(std::function<void(T*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(dialog);
        }
    });
    timer->start();
}
