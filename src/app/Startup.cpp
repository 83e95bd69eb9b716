#include "app/Startup.h"

#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/QuizLock.h"
#include "framework/QuitSignals.h"
#include "framework/Services.h"
#include "framework/Windows.h"
#include "quiz/Module1.h"
#include "quiz/Window1.h"

#include <QApplication>
#include <memory>

namespace Startup {

namespace {
std::unique_ptr<fw::QuitSignals> quitSignals;
std::unique_ptr<QuizLock> lock;
std::unique_ptr<App> application;
// Once a quit is asked for, what fails is written to standard error: a box would hold the quit up, and at
// a session's end no one answers it.
std::optional<fw::ReportsOnConsole> quitting;
bool opened = false;

// A box up when the quit comes is closed as Escape closes it (Cancel, where it has one).
void CloseModalWindows() {
    for (int i = 0; i < 10 && QApplication::activeModalWidget(); ++i) {
        QWidget* modal = QApplication::activeModalWidget();
        modal->close();
        modal->hide();
    }
}

// A quit that the system asks for is File > Quit: the main window closes. During the opening, what runs
// goes on to its end, and then the window closes.
void Quit() {
    quitting.emplace();
    CloseModalWindows();
    if (Window1* main = fw::OpenInstance<Window1>(); main && opened)
        main->close();
}

// The end of the opening: the event loop runs, unless a quit came meanwhile.
std::optional<int> Opened(Window1* main) {
    if (quitting) {
        if (main)
            main->close();
        return 0;
    }
    opened = true;
    return std::nullopt;
}

} // namespace

std::optional<int> Begin() {
    quitSignals.reset(); // one listens at a time
    quitSignals = std::make_unique<fw::QuitSignals>();
    QObject::connect(quitSignals.get(), &fw::QuitSignals::quitRequested, &Quit);
    lock = std::make_unique<QuizLock>();
    if (!lock->TryLock()) {
        fw::MsgBox(
            QStringLiteral("Zandolin is already running for the MPD at %1.  One MPD has one queue, so one "
                           "quiz at a time plays on it: use the window that is open, or quit it first.")
                .arg(QuizLock::Where()));
        return quitting ? 0 : 1;
    }
    // Opening is one step: a player that does not answer is reported once, not by each of its scripts.
    const fw::Step opening;
    Module1::Initialize();
    application = std::make_unique<App>();
    fw::Guard([] { application->open(); });
    if (quitting)
        return Opened(nullptr);
    Window1& main = Window1::instance();
    MenuBar1::Build(*application, main);
    fw::on(&main, &Window1::closed, application.get(), &App::close);
    QObject::connect(&main, &Window1::closed, QCoreApplication::instance(), &QCoreApplication::quit);
    return Opened(&main);
}

void End() {
    quitSignals.reset();
    fw::DestroyAllWindows();
    application.reset();
    Module1::Release();
    lock.reset();
    quitting.reset();
    opened = false;
}

} // namespace Startup
