#include "framework/Application.h"

#include "framework/Errors.h"
#include "framework/Window.h"

#include <QCoreApplication>

#ifndef APP_VERSION_MAJOR
#error "APP_VERSION_MAJOR, APP_VERSION_MINOR, APP_VERSION_PATCH and APP_VERSION_LONG come from the build"
#endif

namespace fw {

namespace {
Application* registered = nullptr;
bool quitRequested = false;
std::function<void(int)> exitAction;
} // namespace

Application::Application() = default;

Application::~Application() {
    if (registered == this)
        registered = nullptr;
}

Application* Application::Instance() {
    return registered;
}

void Application::Register() {
    registered = this;
}

void Application::AddMenuHandler(const QString& itemName, std::function<bool()> handler) {
    handlers_.insert(itemName, std::move(handler));
}

bool Application::HandleMenuCommand(const QString& itemName) {
    const auto it = handlers_.constFind(itemName);
    if (it == handlers_.cend())
        return false;
    it.value()();
    return true;
}

void Application::RaiseOpen() {
    Guard([this] { Event_Open(); });
}

void Application::RaiseClose() {
    if (closed_)
        return;
    closed_ = true;
    Guard([this] { Event_Close(); });
}

int Application::MajorVersion() const {
    return APP_VERSION_MAJOR;
}
int Application::MinorVersion() const {
    return APP_VERSION_MINOR;
}
int Application::BugVersion() const {
    return APP_VERSION_PATCH;
}

QString Application::ShortVersion() const {
    return QStringLiteral("%1.%2.%3").arg(APP_VERSION_MAJOR).arg(APP_VERSION_MINOR).arg(APP_VERSION_PATCH);
}

QString Application::LongVersion() const {
    return QStringLiteral(APP_VERSION_LONG);
}

void Application::RequestQuit() {
    if (Window* main = Window::DefaultWindow())
        main->Close();
    else
        Quit(0);
}

bool Application::QuitRequested() {
    return quitRequested;
}

void Application::ResetQuitRequested() {
    quitRequested = false;
}

void Application::SetExitAction(std::function<void(int)> action) {
    exitAction = std::move(action);
}

void Quit(int code) {
    quitRequested = true;
    if (Application* app = Application::Instance())
        app->RaiseClose();
    if (exitAction)
        exitAction(code);
    else
        QCoreApplication::exit(code);
}

} // namespace fw
