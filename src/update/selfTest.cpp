#include "update/selfTest.h"

#include "update/updateWindow.h"

#include <QCoreApplication>

using fw::AlignLeft;
using fw::AlignRight;
using K = fw::Kind;

namespace {

// clang-format off
constexpr fw::WindowSpec kWindow{"Self Test", 197, 102, fw::WindowSpec::Document,
                                 /*close*/ true, /*minimize*/ false, /*maximize*/ false, /*resizeable*/ false,
                                 /*visible*/ true};

constexpr fw::ControlSpec kControls[] = {
//   name           kind           left top width h   text                 font      size bold   align       colour     visible default tab
    {"StaticText1", K::Label,      30,  19, 67,   20, "Version:",          "System", 0,  true,  AlignLeft,  "#000000", true,   false, 0},
    {"StaticText2", K::Label,      94,  19, 72,   20, "1.1.1 UB",          "System", 0,  false, AlignRight, "#000000", true,   false, 1},
    {"PushButton1", K::PushButton, 20,  61, 157,  21, "Check for Updates", "System", 0,  true,  AlignLeft,  "",        true,   true,  2},
};
// clang-format on

} // namespace

std::span<const fw::ControlSpec> selfTest::LayoutTable() {
    return kControls;
}

selfTest::selfTest() : fw::Window(kWindow, kControls) {
    StaticText2().Open = [this] { StaticText2_Open(); };
    PushButton1().Action = [this] { PushButton1_Action(); };
}

void selfTest::StaticText2_Open() {
    StaticText2().Text(QCoreApplication::applicationVersion() + QStringLiteral(" Linux"));
}

void selfTest::PushButton1_Action() {
    // The update window's Open event starts the fetch and closes this window; ShowModal returns once the
    // update window has closed, and by then this object may only await its deferred deletion.
    updateWindow::instance().ShowModal();
    // Close a version window that is still open, but never create one just to close it.
    if (selfTest* open = fw::OpenInstance<selfTest>())
        open->Close();
}
