#pragma once
// Drives a modal dialog that the code under test opens with exec(): the action runs as
// soon as a dialog of type T is the active modal window, polled from the event loop for
// at most 20 seconds (a loaded machine can take seconds to open one).

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

template <typename T>
void WhenModal(std::function<void(T*)> action, int timeoutMs = 20000)
{
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [=] {
        if (auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget()); dlg && dlg->isVisible()) {
            action(dlg);
            return;
        }
        if (clock->elapsed() < timeoutMs) QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}
