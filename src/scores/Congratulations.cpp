#include "scores/Congratulations.h"

#include "scores/ScoreTable.h"

namespace {

constexpr fw::WindowSpec kWindow{"Congratulations!",   358, 95, fw::WindowSpec::Document,
                                 /*close*/ true,
                                 /*minimize*/ false,
                                 /*maximize*/ false,
                                 /*resizeable*/ false,
                                 /*visible*/ true};

// clang-format off
constexpr fw::ControlSpec kControls[] = {
//   name           kind                  left top width h   text                                               font      size bold   align          colour     visible default tab options
    {"StaticText1", fw::Kind::Label,      20,  20, 318,  20, "Congratulations!  Your score is in the top ten.", "System", 0,  true,  fw::AlignLeft, "#000000", true,  false,  0, "multiline=1"},
    {"StaticText2", fw::Kind::Label,      40,  55, 47,   20, "Name:",                                           "System", 0,  true,  fw::AlignLeft, "#000000", true,  false,  1},
    {"NameField",   fw::Kind::TextField,  86,  55, 100,  22, "",                                                "System", 0,  false, fw::AlignLeft, "",        true,  false,  2},
    {"Enter",       fw::Kind::PushButton, 234, 55, 80,   20, "Enter",                                           "System", 0,  false, fw::AlignLeft, "",        true,  false,  3},
};
// clang-format on

// At most ten letters or digits: a name never carries a blank, punctuation, a TAB or a line end.
const QString kNamePattern = QStringLiteral("[\\p{L}\\p{Nd}]{0,10}");

} // namespace

Congratulations& Congratulations::instance() {
    return fw::Instance<Congratulations>();
}

Congratulations::Congratulations() : fw::Window(kWindow, kControls) {
    NameField().AllowOnly(kNamePattern);
    NameField().TextChange = [this] { NameField_TextChange(); };
    Enter().Action = [this] { Enter_Action(); };
}

void Congratulations::NameField_TextChange() {
    Enter().Default(!NameField().Text().isEmpty());
}

void Congratulations::Enter_Action() {
    const QString name = ScoreTable::cleanField(NameField().Text());
    Hide();
    emit nameEntered(name);
}
