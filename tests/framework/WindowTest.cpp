// The framework's windows, timers and error handling, through a small window of the test's own.
#include "framework/Window.h"
#include "framework/Controls.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QScreen>
#include <QTest>

using namespace testing_support;

namespace {
constexpr fw::WindowSpec kSpec{"Probe", 200, 100, fw::WindowSpec::Document, true, false, false, false, true};
constexpr fw::ControlSpec kControls[] = {
    {"OK", fw::Kind::PushButton, 10, 10, 80, 20, "OK", "System", 0, false, 0, "", true, true, 0},
    {"Stop", fw::Kind::PushButton, 100, 10, 80, 20, "Stop", "System", 0, false, 0, "", true, false, 1,
     "cancel=1"},
    {"Note", fw::Kind::Label, 10, 40, 180, 20, "note", "System", 0, false, 0, "", true, false, 2},
};
constexpr fw::TimerSpec kTimers[] = {{"Tick", 500}};

class Probe : public fw::Window {
public:
    static Probe& instance() { return fw::Instance<Probe>(); }
    static inline int opened = 0;
    static inline int closed = 0;
    static inline bool sawItselfWhileOpening = false;

protected:
    void Event_Open() override {
        ++opened;
        sawItselfWhileOpening = fw::OpenInstance<Probe>() == this;
    }
    void Event_Close() override { ++closed; }

private:
    friend Probe& fw::Instance<Probe>();
    Probe() : fw::Window(kSpec, kControls, kTimers) {}
};
} // namespace

class WindowTest : public AppTest {};

TEST_F(WindowTest, OneImplicitInstanceUntilClosed) {
    Probe::opened = Probe::closed = 0;
    Probe& first = Probe::instance();
    EXPECT_TRUE(Probe::sawItselfWhileOpening);
    EXPECT_EQ(&Probe::instance(), &first);
    EXPECT_EQ(Probe::opened, 1);
    first.Hide();
    EXPECT_EQ(&Probe::instance(), &first); // hiding keeps the window
    first.Close();
    EXPECT_EQ(Probe::closed, 1);
    EXPECT_EQ(fw::OpenInstance<Probe>(), nullptr);
    ProcessEvents();
    Probe& second = Probe::instance();
    EXPECT_EQ(Probe::opened, 2);
    EXPECT_FALSE(second.IsClosed());
}

TEST_F(WindowTest, APlaceOffTheScreenMovesJustEnoughToLieOnIt) {
    const QRect area(0, 30, 800, 570); // below a panel at the top
    const std::tuple<QPoint, QSize, QPoint> cases[] = {
        {{10, 70}, {219, 257}, {10, 70}},  // fits: kept
        {{740, 70}, {358, 95}, {442, 70}}, // past the right edge
        {{-5, 550}, {200, 100}, {0, 500}}, // past the left and the bottom edge
        {{300, 0}, {200, 100}, {300, 30}}, // under the panel
        {{300, 300}, {900, 700}, {0, 30}}, // larger than the screen: its top-left corner on it
    };
    for (const auto& [wanted, size, placed] : cases)
        EXPECT_EQ(fw::FitOnScreen(wanted, size, area), placed) << wanted.x() << "," << wanted.y();

    Probe& probe = Probe::instance();
    const QRect screen = probe.Widget()->screen()->availableGeometry();
    probe.Top(70);
    probe.Left(screen.right() - 50);
    probe.Show();
    ProcessEvents();
    EXPECT_EQ(probe.Top(), 70);
    EXPECT_EQ(probe.Widget()->frameGeometry().right(), screen.right());
    EXPECT_TRUE(screen.contains(probe.Widget()->frameGeometry()));
}

TEST_F(WindowTest, ReturnAndEscapePressTheirButtons) {
    Probe& probe = Probe::instance();
    int ok = 0;
    int stop = 0;
    probe.ControlNamed<fw::PushButton>("OK").Action = [&] { ++ok; };
    probe.ControlNamed<fw::PushButton>("Stop").Action = [&] { ++stop; };
    QTest::keyClick(probe.Widget(), Qt::Key_Return);
    QTest::keyClick(probe.ControlNamed<fw::PushButton>("Stop").Widget(), Qt::Key_Escape);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(stop, 1);
    EXPECT_THROW(probe.ControlNamed<fw::PushButton>("Note"), fw::NilObjectError);
}

TEST_F(WindowTest, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
    Probe& probe = Probe::instance();
    auto& ok = probe.ControlNamed<fw::PushButton>("OK");
    ok.Action = [] { throw fw::Error("MPD error: Connection refused"); };
    ok.Push();
    ok.Action = [] { throw fw::NilObjectError("Module1.R"); };
    QTest::mouseClick(ok.Widget(), Qt::LeftButton);
    EXPECT_EQ(services->messages, (QStringList{"MPD error: Connection refused", "Nil object: Module1.R"}));
}

TEST_F(WindowTest, OneShotTimersRestartFromTheLatestStart) {
    Probe& probe = Probe::instance();
    fw::Timer& tick = probe.TimerNamed("Tick");
    int fired = 0;
    tick.Action = [&] { ++fired; };
    EXPECT_FALSE(tick.IsRunning());
    tick.Mode(fw::Timer::ModeSingle);
    EXPECT_TRUE(tick.IsRunning());
    tick.FireNow();
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(tick.IsRunning()); // one shot
    EXPECT_EQ(tick.Mode(), fw::Timer::ModeOff);

    // One real period, scaled down: a restart part-way through pushes the end back to a full period after
    // the restart. Only lower bounds are checked, so a slow machine cannot make it fail.
    fw::Timer::SetTimeScale(0.2); // 100 ms
    QElapsedTimer clock;
    clock.start();
    tick.Mode(fw::Timer::ModeSingle);
    QTest::qWait(40);
    const qint64 restartedAt = clock.elapsed();
    tick.Mode(fw::Timer::ModeSingle);
    qint64 firedAt = -1;
    tick.Action = [&] {
        ++fired;
        firedAt = clock.elapsed();
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired == 2; }, 5000));
    EXPECT_GE(firedAt - restartedAt, 95);
    QTest::qWait(150);
    EXPECT_EQ(fired, 2); // once per start
    fw::Timer::SetTimeScale(1.0);
}
