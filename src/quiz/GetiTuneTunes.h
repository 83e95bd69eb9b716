// The main window's loader thread. Its Run event, Window1::Thread1_Run, runs on this thread and reaches
// the window only through queued calls. A Run while the thread is busy runs the event again once the
// current run ends; wait() returns when every requested run has ended.
#pragma once

#include <QMutex>
#include <QThread>

class Window1;

class GetiTuneTunes : public QThread {
    Q_OBJECT
public:
    explicit GetiTuneTunes(Window1& owner);
    ~GetiTuneTunes() override;

    void Run();

protected:
    void run() override;

private:
    void RunEvent();

    Window1& owner_;
    QMutex mutex_;
    bool busy_ = false;  // a run is requested or under way
    bool again_ = false; // another run follows the current one
};
