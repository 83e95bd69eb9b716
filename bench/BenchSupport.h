// Pieces shared by the benchmarks: services that never block, and a private MPD with the demo library.
#pragma once

#include "framework/Services.h"
#include "support/PrivateMpd.h"

#include <QTemporaryDir>

namespace bench {

// Counts message boxes instead of showing them; a benchmark that expects none can check.
class SilentServices : public fw::UserServices {
public:
    int boxes = 0;
    void ShowMessage(const QString&, const QString&) override { ++boxes; }
    int AskMessage(const QString&, int, const QString&) override { return ++boxes, fw::MsgBoxCancel; }
    fw::DialogAnswer AskDialog(const fw::MessageDialog&) override { return fw::DialogAnswer::Cancel; }
    void Beep() override {}
    bool OpenUrl(const QString&) override { return true; }
};

// The demo library (playlist 2 is "Classics", 12 songs) on a private MPD, started on first use with a
// fresh preferences folder and stopped when the application ends.
class DemoMpd {
public:
    static DemoMpd& Get();
    bool Ready() const { return ready_; }

private:
    DemoMpd();
    testing_support::PrivateMpd mpd_;
    QTemporaryDir config_;
    bool ready_ = false;
};

} // namespace bench
