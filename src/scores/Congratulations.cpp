#include "scores/Congratulations.h"

#include "scores/ScoreTable.h"

#include <QRegularExpression>
#include <QValidator>

namespace {

using A = fw::Align;
using K = fw::Kind;

constexpr fw::WindowSpec kWindow{"Congratulations!",   358, 95, fw::WindowSpec::Document,
                                 /*close*/ true,
                                 /*minimize*/ false,
                                 /*maximize*/ false,
                                 /*resizeable*/ false,
                                 /*visible*/ true};

// Letters of any script, each with its marks (accents, vowel signs, viramas), and digits: a name never
// carries a blank, punctuation, a TAB or a line end. At most ten characters as the reader counts them, so
// "Zoë" is three whether its ë is one code point or two, and no more than the scores file keeps whole.
class NameValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        static const QRegularExpression name(
            QRegularExpression::anchoredPattern(u"(?:[\\p{L}\\p{Nd}]\\p{M}*)*"));
        return name.match(input).hasMatch() && ScoreTable::cutField(input, 10) == input ? Acceptable
                                                                                        : Invalid;
    }
};

// clang-format off
constexpr fw::ControlSpec kControls[] = {
//   name           kind           left top width h   text                                               font      size bold   align    colour     visible default tab options
    {"StaticText1", K::Label,      20,  20, 318,  20, "Congratulations!  Your score is in the top ten.", "System", 0,   true,  A::Left, "#000000", true,   false,  0,  {.multiline = true}},
    {"StaticText2", K::Label,      40,  55, 47,   20, "Name:",                                           "System", 0,   true,  A::Left, "#000000", true,   false,  1},
    {"NameField",   K::TextField,  86,  55, 100,  22, "",                                                "System", 0,   false, A::Left, "",        true,   false,  2},
    {"Enter",       K::PushButton, 234, 55, 80,   20, "Enter",                                           "System", 0,   false, A::Left, "",        true,   false,  3},
};
// clang-format on

} // namespace

Congratulations& Congratulations::instance() {
    return fw::Instance<Congratulations>();
}

Congratulations::Congratulations() : form_(this, kWindow, kControls) {
    NameField->setValidator(new NameValidator(NameField));
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
