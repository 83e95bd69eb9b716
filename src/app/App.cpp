#include "app/App.h"

#include "framework/Errors.h"
#include "framework/Windows.h"
#include "info/AboutBox.h"
#include "info/Help.h"
#include "quiz/Module1.h"
#include "quiz/ScriptItems.h"
#include "scores/GameScores.h"
#include "update/selfTest.h"

void App::open() {
    Module1::R = std::make_unique<QRandomGenerator>(QRandomGenerator::securelySeeded());
    AppleScript7a({});
}

void App::close() {
    if (std::exchange(closed_, true))
        return;
    try {
        AppleScript6({});
    } catch (const fw::NoAnswerError&) {
        // Not worth a box at quit: the saved queue waits for the next start.
    }
}

void App::ScoresShow_Action() {
    // Back to the left edge whatever the user did to the window; its top stays where it is.
    GameScores& scores = GameScores::instance();
    fw::PlaceOnScreen(&scores, {10, scores.y()});
    fw::Present(&scores);
}

void App::CheckforUpdateCheckNow_Action() {
    fw::Present(&selfTest::instance());
}

void App::ZDNHelpHelp_Action() {
    fw::Present(&Help::instance());
}

void App::ZDNHelpAbout_Action() {
    fw::Present(&AboutBox::instance());
}
