#include "quiz/GetiTuneTunes.h"

#include "framework/Errors.h"
#include "quiz/Window1.h"

#include <exception>

GetiTuneTunes::GetiTuneTunes(Window1& owner) : owner_(owner) {
    setObjectName(QStringLiteral("Thread1"));
}

GetiTuneTunes::~GetiTuneTunes() {
    wait();
}

void GetiTuneTunes::Run() {
    const QMutexLocker lock(&mutex_);
    if (busy_) {
        again_ = true;
        return;
    }
    busy_ = true;
    wait(); // the previous run may still be leaving run()
    start();
}

void GetiTuneTunes::run() {
    for (;;) {
        RunEvent();
        const QMutexLocker lock(&mutex_);
        if (!again_) {
            busy_ = false;
            return;
        }
        again_ = false;
    }
}

void GetiTuneTunes::RunEvent() {
    // An error is raised again on the main thread, where boxes may be shown.
    try {
        owner_.Thread1_Run();
    } catch (...) {
        QMetaObject::invokeMethod(
            &owner_,
            [error = std::current_exception()] {
                fw::GuardUnattended([&] { std::rethrow_exception(error); });
            },
            Qt::QueuedConnection);
    }
}
