// A worker thread. Its Run handler runs off the main thread and may reach the GUI only through
// OnMainThread. A Run while the thread is busy runs the handler again once the current run ends.
#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <memory>

namespace fw {

class Thread {
public:
    explicit Thread(const QString& name);
    ~Thread();

    void Run();
    bool IsRunning() const;
    // Waits until every requested run has ended; for tests and shutdown.
    bool Wait(int timeoutMs = -1);

    std::function<void()> RunHandler;

private:
    class Worker;
    QString name_;
    std::unique_ptr<Worker> worker_;
};

// Queues fn to run on the main thread, under the framework's error handling.
void OnMainThread(std::function<void()> fn);

} // namespace fw
