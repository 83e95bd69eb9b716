#include "scores/Congratulations.h"

#include "app/Module1.h"
#include "framework/Services.h"
#include "scores/GameScores.h"

namespace {

using A = fw::Align;
using K = fw::Kind;

constexpr fw::WindowSpec kWindow{"Congratulations!",   358, 95, fw::WindowSpec::Document,
                                 /*close*/ true,
                                 /*minimize*/ false,
                                 /*maximize*/ false,
                                 /*resizeable*/ false,
                                 /*visible*/ true};

// At most ten letters or digits: a name never carries a blank, punctuation, a TAB or a line end.
constexpr const char* kNamePattern = "[\\p{L}\\p{Nd}]{0,10}";

// clang-format off
constexpr fw::ControlSpec kControls[] = {
//   name           kind           left top width h   text                                               font      size bold   align    colour     visible default tab options
    {"StaticText1", K::Label,      20,  20, 318,  20, "Congratulations!  Your score is in the top ten.", "System", 0,   true,  A::Left, "#000000", true,   false,  0,  {.multiline = true}},
    {"StaticText2", K::Label,      40,  55, 47,   20, "Name:",                                           "System", 0,   true,  A::Left, "#000000", true,   false,  1},
    {"NameField",   K::TextField,  86,  55, 100,  22, "",                                                "System", 0,   false, A::Left, "",        true,   false,  2,  {.mask = kNamePattern}},
    {"Enter",       K::PushButton, 234, 55, 80,   20, "Enter",                                           "System", 0,   false, A::Left, "",        true,   false,  3},
};
// clang-format on

} // namespace

Congratulations& Congratulations::instance() {
    return fw::Instance<Congratulations>();
}

Congratulations::Congratulations() : form_(this, kWindow, kControls) {
    fw::on(NameField, &QLineEdit::textChanged, this, &Congratulations::NameField_TextChange);
    fw::on(Enter, &QPushButton::clicked, this, &Congratulations::Enter_Action);
}

void Congratulations::Event_Open() {
    NameField->setText(Module1::Name);
}

void Congratulations::NameField_TextChange() {
    Enter->setDefault(!NameField->text().isEmpty());
}

void Congratulations::Enter_Action() {
    Module1::Name = ScoreTable::cleanField(NameField->text());
    hide();
    // Once a new test is under way its running score is not a result; the finished test's score is no
    // longer known, so nothing is filed rather than a partial score.
    if (Module1::Question >= 1 && Module1::Question < 20) {
        Module1::NewHighScoreFlag = false;
        fw::MsgBox(QStringLiteral("A new test has started, so the last test's score can no longer be "
                                  "entered in the high scores."));
        return;
    }
    GameScores& scores = GameScores::instance();
    fw::PlaceOnScreen(&scores, {10, scores.y()});
    fw::Present(&scores);
    scores.Table().insert(Module1::Name, Module1::Points);
    Module1::NewHighScoreFlag = false;
}
