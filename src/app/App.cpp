#include "app/App.h"

#include "framework/Errors.h"
#include "info/AboutBox.h"
#include "info/Help.h"
#include "quiz/Module1.h"
#include "quiz/ScriptItems.h"
#include "scores/GameScores.h"
#include "update/selfTest.h"

App& App::instance() {
    auto* app = dynamic_cast<App*>(fw::Application::Instance());
    if (!app)
        throw fw::NilObjectError(QStringLiteral("App"));
    return *app;
}

void App::Event_Open() {
    Module1::R = std::make_unique<QRandomGenerator>(QRandomGenerator::securelySeeded());
    AppleScript7a({});
}

void App::Event_Close() {
    AppleScript6({});
}

bool App::_ScoresShow_Action() {
    // Back to the left edge whatever the user did to the window; its top stays where it is.
    GameScores::instance().Left(10);
    GameScores::instance().Show();
    return false;
}

bool App::_CheckforUpdateCheckNow_Action() {
    selfTest::instance().Show();
    return false;
}

bool App::_ZDNHelpHelp_Action() {
    Help::instance().Show();
    return false;
}

bool App::_ZDNHelpAbout_Action() {
    AboutBox::instance().Show();
    return false;
}
