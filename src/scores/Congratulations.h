// The name-entry window: takes the player's name after a qualifying test and files the entry at its rank.
#pragma once

#include "framework/Controls.h"
#include "framework/Window.h"

class Congratulations : public fw::Window {
public:
    static Congratulations& instance();

    fw::Label& StaticText1() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText1")); }
    fw::Label& StaticText2() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText2")); }
    fw::TextField& NameField() const { return ControlNamed<fw::TextField>(QStringLiteral("NameField")); }
    fw::PushButton& Enter() const { return ControlNamed<fw::PushButton>(QStringLiteral("Enter")); }

    void NameField_TextChange();
    void Enter_Action();

protected:
    void Event_Open() override;

private:
    friend Congratulations& fw::Instance<Congratulations>();
    Congratulations();
};
