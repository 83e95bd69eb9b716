#include "app/App.h"

#include "app/Module1.h"
#include "framework/Errors.h"
#include "quiz/ScriptItems.h"

App& App::instance() {
    auto* app = dynamic_cast<App*>(fw::Application::Instance());
    if (!app)
        throw fw::NilObjectError(QStringLiteral("App"));
    return *app;
}

void App::Event_Open() {
    Module1::R = std::make_unique<fw::Random>();
    AppleScript7a({});
}

void App::Event_Close() {
    AppleScript6({});
}

bool App::_ScoresShow_Action() {
    return false;
}

bool App::_CheckforUpdateCheckNow_Action() {
    return false;
}

bool App::_ZDNHelpHelp_Action() {
    return false;
}

bool App::_ZDNHelpAbout_Action() {
    return false;
}
