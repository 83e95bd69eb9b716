#include "app/Startup.h"

#include "app/App.h"
#include "app/MenuBar1.h"
#include "framework/QuitSignals.h"
#include "framework/Windows.h"
#include "quiz/Module1.h"
#include "quiz/Window1.h"

#include <QCoreApplication>
#include <memory>

namespace Startup {

namespace {
std::unique_ptr<App> application;
std::unique_ptr<fw::QuitSignals> quitSignals;
} // namespace

App& Begin() {
    // Opening is one step: a player that does not answer is reported once, not by each of its scripts.
    const fw::Step opening;
    Module1::Initialize();
    application = std::make_unique<App>();
    fw::Guard([] { application->open(); });
    Window1& main = Window1::instance();
    MenuBar1::Build(*application, main);
    fw::on(&main, &Window1::closed, application.get(), &App::close);
    QObject::connect(&main, &Window1::closed, QCoreApplication::instance(), &QCoreApplication::quit);
    // A quit that the system asks for closes the main window, as File > Quit does. Heard from here on:
    // before, no question has replaced the user's queue, and the settings are as read.
    quitSignals.reset(); // one listens at a time
    quitSignals = std::make_unique<fw::QuitSignals>();
    QObject::connect(quitSignals.get(), &fw::QuitSignals::quitRequested, &main, &QWidget::close);
    return *application;
}

void End() {
    quitSignals.reset();
    fw::DestroyAllWindows();
    application.reset();
    Module1::Release();
}

} // namespace Startup
