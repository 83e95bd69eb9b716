// A timer whose Action runs on the main thread. Mode 1 starts it as a one-shot; starting it again while
// it runs counts the period from the latest start.
#pragma once

#include <QString>
#include <functional>
#include <memory>

class QTimer;

namespace fw {

class Timer {
public:
    enum { ModeOff = 0, ModeSingle = 1, ModeMultiple = 2 };

    Timer(const QString& name, int periodMs);
    ~Timer();

    const QString& Name() const { return name_; }
    int Mode() const { return mode_; }
    void Mode(int mode);
    int Period() const { return period_; }
    void Period(int periodMs);
    bool IsRunning() const;
    // Ends the current period at once: the timer stops (a one-shot) and its Action runs. For tests.
    void FireNow();

    std::function<void()> Action;

    // Multiplies every period; tests scale real periods down.
    static void SetTimeScale(double scale);

private:
    void Fired();

    QString name_;
    int period_;
    int mode_ = ModeOff;
    std::unique_ptr<QTimer> timer_;
};

} // namespace fw
