// The version window: shows the running version and starts the update check.
#pragma once

#include "framework/Controls.h"
#include "framework/Window.h"

#include <span>

class selfTest : public fw::Window {
public:
    static selfTest& instance() { return fw::Instance<selfTest>(); }

    fw::Label& StaticText1() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText1")); }
    fw::Label& StaticText2() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText2")); }
    fw::PushButton& PushButton1() const {
        return ControlNamed<fw::PushButton>(QStringLiteral("PushButton1"));
    }

    void StaticText2_Open();
    void PushButton1_Action();

    static std::span<const fw::ControlSpec> LayoutTable();

private:
    friend selfTest& fw::Instance<selfTest>();
    selfTest();
};
