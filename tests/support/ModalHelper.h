#pragma once
// Acts on the next modal window as soon as it is open, without blocking the event loop that
// opens it (the code under test calls exec() itself).
#include <QApplication>
#include <QTimer>
#include <functional>

inline void whenModalOpens(std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        }
    });
    poll->start();
}
