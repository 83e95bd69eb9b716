#include "app/Startup.h"

#include "app/App.h"
#include "app/MenuBar1.h"
#include "framework/Errors.h"
#include "framework/Window.h"
#include "quiz/Module1.h"
#include "quiz/Window1.h"

#include <QApplication>
#include <QIcon>
#include <memory>

namespace Startup {

namespace {
std::unique_ptr<App> application;

void AddMenuHandlers(App& app) {
    app.AddMenuHandler(QStringLiteral("ScoresShow"), [&app] { return app._ScoresShow_Action(); });
    app.AddMenuHandler(QStringLiteral("CheckforUpdateCheckNow"),
                       [&app] { return app._CheckforUpdateCheckNow_Action(); });
    app.AddMenuHandler(QStringLiteral("ZDNHelpHelp"), [&app] { return app._ZDNHelpHelp_Action(); });
    app.AddMenuHandler(QStringLiteral("ZDNHelpAbout"), [&app] { return app._ZDNHelpAbout_Action(); });
}
} // namespace

void Begin() {
    // Opening is one step: a player that does not answer is reported once, not by each of its scripts.
    const fw::Step opening;
    Module1::Initialize();
    application = std::make_unique<App>();
    QCoreApplication::setApplicationVersion(application->ShortVersion());
    application->SetMenuBar(&MenuBar1::instance());
    application->Register();
    AddMenuHandlers(*application);
    application->RaiseOpen();
    fw::Window::SetDefaultWindow(&Window1::instance());
}

int RunEventLoop() {
    return QApplication::exec();
}

void End() {
    fw::Window::DestroyAll();
    application.reset();
    MenuBar1::Release();
    Module1::Release();
}

int Main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zandolin"));
    QApplication::setDesktopFileName(QStringLiteral("zandolin"));
    // The icon theme's entry, else the installed picture beside the binary's share folder; an
    // uninstalled build keeps the default icon.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("zandolin"),
                         QIcon(QApplication::applicationDirPath() +
                               QStringLiteral("/../share/icons/hicolor/256x256/apps/zandolin.png"))));
    QApplication::setQuitOnLastWindowClosed(false);
    Begin();
    const int code = RunEventLoop();
    End();
    return code;
}

} // namespace Startup
