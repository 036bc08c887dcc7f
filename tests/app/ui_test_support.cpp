#include "tests/app/ui_test_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

void OnModal(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && matches(modal)) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            act(modal);
        } else if (clock->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            ADD_FAILURE() << "the expected modal window did not appear";
            if (modal) modal->close();
        }
    });
    timer->start();
}

void OnMessageBox(std::function<void(QWidget*)> act) {
    OnModal([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; }, std::move(act));
}

bool ProcessEventsUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

void* FakeLibraryHandle() {
    static int library;
    return &library;
}

TokenLibraryLoader RecordingLoader::Make() {
    return {[this] {
                ++loads;
                return found ? FakeLibraryHandle() : nullptr;
            },
            [this](void*, TokenApi& api) {
                ++resolves;
                api = {};
            },
            [this](void*& library) {
                ++unloads;
                unloadedHandle = library;
                library = nullptr;
            }};
}
