#include "framework/QuitSignals.h"

#include <QSocketNotifier>
#include <QtGlobal>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace fw {

namespace {

constexpr int kQuitSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Where the handler writes; -1 while no object listens.
volatile std::sig_atomic_t handlerEnd = -1;
// Bit i is set while kQuitSignals[i] is handled here.
volatile std::sig_atomic_t handled = 0;

void OnQuitSignal(int) {
    const int saved = errno;
    // The quit is under way: a second signal of any of them ends the program at once.
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    for (std::size_t i = 0; i < std::size(kQuitSignals); ++i)
        if (handled & (1 << i))
            ::sigaction(kQuitSignals[i], &byDefault, nullptr);
    const char byte = 1;
    // Never blocks: the end is non-blocking, and a full socket already holds a request.
    [[maybe_unused]] const ssize_t written = ::write(handlerEnd, &byte, 1);
    errno = saved;
}

} // namespace

QuitSignals::QuitSignals() {
    Q_ASSERT(handlerEnd == -1);
    // Close-on-exec: the scripts that the program starts hold neither end.
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) != 0) {
        qWarning("Quit signals keep their default effect: no socket pair (%s)", std::strerror(errno));
        return;
    }
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    handlerEnd = writeEnd_;
    notifier_ = new QSocketNotifier(readEnd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::Receive);

    struct sigaction action = {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < former_.size(); ++i) {
        Former& former = former_[i];
        former.number = kQuitSignals[i];
        former.replaced = ::sigaction(former.number, nullptr, &former.action) == 0 &&
                          former.action.sa_handler != SIG_IGN &&
                          ::sigaction(former.number, &action, nullptr) == 0;
        handled = handled | (former.replaced ? 1 << i : 0);
    }
}

QuitSignals::~QuitSignals() {
    handled = 0;
    for (const Former& former : former_)
        if (former.replaced)
            ::sigaction(former.number, &former.action, nullptr);
    if (readEnd_ < 0)
        return;
    handlerEnd = -1;
    delete notifier_; // before its socket closes
    ::close(readEnd_);
    ::close(writeEnd_);
}

void QuitSignals::Receive() {
    char bytes[64];
    while (::read(readEnd_, bytes, sizeof bytes) > 0) {
    }
    if (!std::exchange(requested_, true))
        emit quitRequested();
}

} // namespace fw
