#include "framework/Timer.h"

#include "framework/Errors.h"

#include <QTimer>
#include <algorithm>

namespace fw {

namespace {
double timeScale = 1.0;
}

void Timer::SetTimeScale(double scale) {
    timeScale = scale;
}

Timer::Timer(const QString& name, int periodMs) : name_(name), period_(periodMs), timer_(new QTimer) {
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_.get(), &QTimer::timeout, [this] { Fired(); });
}

Timer::~Timer() = default;

void Timer::Mode(int mode) {
    mode_ = mode;
    timer_->stop();
    if (mode == ModeOff)
        return;
    timer_->setSingleShot(mode == ModeSingle);
    timer_->start(std::max(0, int(period_ * timeScale)));
}

void Timer::Period(int periodMs) {
    period_ = periodMs;
}

bool Timer::IsRunning() const {
    return timer_->isActive();
}

void Timer::FireNow() {
    if (mode_ == ModeSingle)
        timer_->stop();
    Fired();
}

void Timer::Fired() {
    if (mode_ == ModeSingle)
        mode_ = ModeOff;
    if (Action)
        GuardUnattended(Action);
}

} // namespace fw
