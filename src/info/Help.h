// The help window: the help text in one editable text area, spell-checked as the user types. Edits are
// never kept; a new window shows the stored text again.
#pragma once

#include "framework/Controls.h"
#include "framework/Window.h"

#include <span>

class Help : public fw::Window {
public:
    static Help& instance();

    fw::TextArea& EditField1() const { return ControlNamed<fw::TextArea>(QStringLiteral("EditField1")); }

    // The dictionary that later help windows use (tests ask for one that is not installed); an empty
    // text restores American English, the language of the help text.
    static void SetSpellingLanguage(const QString& language);

    // The layout, for tests and the screenshot tool.
    static std::span<const fw::ControlSpec> LayoutTable();

private:
    friend Help& fw::Instance<Help>();
    Help();
};
