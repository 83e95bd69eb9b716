#include "info/AboutBox.h"

#include "framework/Services.h"

#include <QCoreApplication>

using fw::AlignCenter;
using fw::AlignLeft;
using fw::AlignRight;
using K = fw::Kind;

namespace {

constexpr fw::WindowSpec kWindow{"About...",           264, 262, fw::WindowSpec::Document,
                                 /*close*/ true,
                                 /*minimize*/ false,
                                 /*maximize*/ false,
                                 /*resizeable*/ false,
                                 /*visible*/ true};

// Five lines, the third empty.
constexpr const char* kCredits = "Developed by\nIda Marlowe\n\nSr. Beta Tester\nOtto Brandell";

// The version label reaches 10 pixels further left than the design's 53-wide box (same right edge,
// still clear of "Version:"), because this build's long version, "1.4.2 Linux", is wider than the
// design text "1.4.0 Intel" and a right-aligned label would cut off its start.
// clang-format off
constexpr fw::ControlSpec kControls[] = {
//   name           kind           left top  width h   text              font      size bold   align        colour     visible default tab options
    {"PushButton1", K::PushButton, 72,  180, 120, 21, "Email Author",   "System", 0,  true,  AlignLeft,   "",        true,  false,  0},
    {"PushButton2", K::PushButton, 72,  217, 120, 21, "Visit Web Site", "System", 0,  true,  AlignLeft,   "",        true,  false,  1},
    {"StaticText2", K::Label,      80,  86,  104, 87, kCredits,         "System", 0,  false, AlignCenter, "#000000", true,  false,  2, "multiline=1"},
    {"StaticText1", K::Label,      20,  20,  224, 45, "Zandolin",       "Arial",  28, true,  AlignCenter, "#000000", true,  false,  3},
    {"StaticText3", K::Label,      72,  60,  56,  20, "Version:",       "Arial",  12, true,  AlignLeft,   "#000000", true,  false,  4},
    {"StaticText4", K::Label,      129, 60,  63,  20, "1.4.0 Intel",    "Arial",  12, true,  AlignRight,  "#000000", true,  false,  5},
};
// clang-format on

} // namespace

AboutBox& AboutBox::instance() {
    return fw::Instance<AboutBox>();
}

std::span<const fw::ControlSpec> AboutBox::LayoutTable() {
    return kControls;
}

AboutBox::AboutBox() : fw::Window(kWindow, kControls) {
    PushButton1().Action = [this] { PushButton1_Action(); };
    PushButton2().Action = [this] { PushButton2_Action(); };
    StaticText4().Open = [this] { StaticText4_Open(); };
}

void AboutBox::StaticText4_Open() {
    StaticText4().Text(QCoreApplication::applicationVersion() + QStringLiteral(" Linux"));
}

void AboutBox::PushButton1_Action() {
    fw::ShowURL(QString::fromLatin1(kAuthorMailLink));
}

void AboutBox::PushButton2_Action() {
    fw::ShowURL(QString::fromLatin1(kWebSite));
}
