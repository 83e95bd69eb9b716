// The About box: the product's name, the running version, the credits, and links to mail the author and
// to visit the maker's web site.
#pragma once

#include "framework/Controls.h"
#include "framework/Window.h"

#include <span>

class AboutBox : public fw::Window {
public:
    static AboutBox& instance();

    // Where the two buttons lead; fictional on purpose, so nothing reaches a real party.
    static constexpr const char* kAuthorMailLink = "mailto:author@zandolin.example";
    static constexpr const char* kWebSite = "http://www.zandolin.example";

    // Controls, in layout order.
    fw::PushButton& PushButton1() const {
        return ControlNamed<fw::PushButton>(QStringLiteral("PushButton1"));
    }
    fw::PushButton& PushButton2() const {
        return ControlNamed<fw::PushButton>(QStringLiteral("PushButton2"));
    }
    fw::Label& StaticText2() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText2")); }
    fw::Label& StaticText1() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText1")); }
    fw::Label& StaticText3() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText3")); }
    fw::Label& StaticText4() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText4")); }

    // Handlers.
    void PushButton1_Action();
    void PushButton2_Action();
    void StaticText4_Open();

    // The layout, for tests and the screenshot tool.
    static std::span<const fw::ControlSpec> LayoutTable();

private:
    friend AboutBox& fw::Instance<AboutBox>();
    AboutBox();
};
