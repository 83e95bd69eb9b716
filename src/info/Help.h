// The help window: the help text in one editable text area. Edits are never kept; a new window shows
// the stored text again.
#pragma once

#include "framework/Controls.h"
#include "framework/Window.h"

#include <span>

class Help : public fw::Window {
public:
    static Help& instance();

    fw::TextArea& EditField1() const { return ControlNamed<fw::TextArea>(QStringLiteral("EditField1")); }

    // The layout, for tests and the screenshot tool.
    static std::span<const fw::ControlSpec> LayoutTable();

private:
    friend Help& fw::Instance<Help>();
    Help();
};
