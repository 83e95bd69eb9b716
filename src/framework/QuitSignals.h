// Quits that the system asks for: SIGTERM (a session that ends, kill), SIGINT (Ctrl+C in a terminal) and
// SIGHUP (the terminal gone). Qt does not hear of them; this object turns them into one Qt signal on the
// main thread's event loop, where the program can quit as it does when the user asks.
//
// The handler only writes a byte to a socket pair whose other end a QSocketNotifier reads; a modal box's
// event loop reads it too. After the first, any of them has its default effect (a second Ctrl+C ends the
// program at once); a signal that was ignored when the object was made (nohup's SIGHUP) stays ignored.
// One object at a time; destroying it puts the former dispositions back.
#pragma once

#include <QObject>
#include <array>
#include <csignal>

class QSocketNotifier;

namespace fw {

class QuitSignals : public QObject {
    Q_OBJECT
public:
    QuitSignals();
    ~QuitSignals() override;

signals:
    // Once, at the first of the signals.
    void quitRequested();

private:
    void Receive();

    struct Former {
        int number;
        struct sigaction action;
        bool replaced;
    };
    int readEnd_ = -1, writeEnd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    std::array<Former, 3> former_{};
    bool requested_ = false;
};

} // namespace fw
