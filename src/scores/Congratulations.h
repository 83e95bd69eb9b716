// The name-entry window: takes the player's name after a qualifying test. The quiz that opens it puts the
// name last entered in the field and files the score under the name it reports.
#pragma once

#include "framework/Controls.h"
#include "framework/Window.h"

class Congratulations : public fw::Window {
    Q_OBJECT
public:
    static Congratulations& instance();

    fw::Label& StaticText1() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText1")); }
    fw::Label& StaticText2() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText2")); }
    fw::TextField& NameField() const { return ControlNamed<fw::TextField>(QStringLiteral("NameField")); }
    fw::PushButton& Enter() const { return ControlNamed<fw::PushButton>(QStringLiteral("Enter")); }

    void NameField_TextChange();
    void Enter_Action();

signals:
    // Enter was pressed: the name typed, without TABs or line ends.
    void nameEntered(const QString& name);

private:
    friend Congratulations& fw::Instance<Congratulations>();
    Congratulations();
};
