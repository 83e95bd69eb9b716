#include "scores/Congratulations.h"

#include "scores/ScoreTable.h"

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

void Congratulations::NameField_TextChange() {
    Enter->setDefault(!NameField->text().isEmpty());
}

void Congratulations::Enter_Action() {
    const QString name = ScoreTable::cleanField(NameField->text());
    hide();
    emit nameEntered(name);
}
