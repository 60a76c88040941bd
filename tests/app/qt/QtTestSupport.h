#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace sorvane::test {

// One QApplication for the whole test program (offscreen). It is left to the
// end of the process: destroyed among the statics, it would outlive the input
// devices Qt tears down first and crash on the way out.
inline QApplication& App() {
    static int argc = 1;
    static char name[] = "qt-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Made first in a fixture, so the application exists before any widget member.
struct QtApp {
    QtApp() { App(); }
};

// Runs `act` on the modal window of type T once it is up; for driving a
// dialog from inside the call that shows it.
template <typename T>
void WhenModal(std::function<void(T*)> act) {
    auto* timer = new QTimer(&App());
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget()); w && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            // Keys go to the active window only, as a person's would.
            w->activateWindow();
            static_cast<void>(QTest::qWaitForWindowActive(w, 2000));
            act(w);
            // A window the act left open would hold the test forever.
            QTimer::singleShot(3000, w, [w] {
                if (!w->isVisible()) return;
                ADD_FAILURE() << "the modal window stayed open";
                w->close();
            });
        }
    });
    timer->start();
}

}  // namespace sorvane::test
