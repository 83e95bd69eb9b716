#include "framework/Thread.h"

#include "framework/Errors.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMutex>
#include <QThread>
#include <exception>

namespace fw {

void OnMainThread(std::function<void()> fn) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [fn = std::move(fn)] { GuardUnattended(fn); }, Qt::QueuedConnection);
}

class Thread::Worker : public QThread {
public:
    explicit Worker(Thread& owner) : owner_(owner) {}

    void Request() {
        QMutexLocker lock(&mutex_);
        if (busy_) {
            again_ = true;
            return;
        }
        busy_ = true;
        wait(); // a previous run may still be leaving run()
        start();
    }

protected:
    void run() override {
        for (;;) {
            RunOnce();
            QMutexLocker lock(&mutex_);
            if (!again_) {
                busy_ = false;
                return;
            }
            again_ = false;
        }
    }

private:
    void RunOnce() {
        // An error on the worker is raised again on the main thread, where boxes may be shown.
        try {
            if (owner_.RunHandler)
                owner_.RunHandler();
        } catch (...) {
            OnMainThread([error = std::current_exception()] { std::rethrow_exception(error); });
        }
    }

    Thread& owner_;
    QMutex mutex_;
    bool busy_ = false;
    bool again_ = false;
};

Thread::Thread(const QString& name) : name_(name), worker_(std::make_unique<Worker>(*this)) {
    worker_->setObjectName(name);
}

Thread::~Thread() {
    worker_->wait();
}

void Thread::Run() {
    worker_->Request();
}

bool Thread::IsRunning() const {
    return worker_->isRunning();
}

bool Thread::Wait(int timeoutMs) {
    return worker_->wait(timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(timeoutMs));
}

} // namespace fw
