// Placing the framework's windows on the screen.
#include "info/AboutBox.h"
#include "support/TestSupport.h"

#include <QScreen>

using WindowsTest = testing_support::AppTest;

TEST_F(WindowsTest, APlaceOffTheScreenMovesJustEnoughToLieOnIt) {
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

    // A window placed before it shows is placed again once its frame is known.
    AboutBox& box = AboutBox::instance();
    const QRect screen = box.screen()->availableGeometry();
    fw::PlaceOnScreen(&box, {screen.right() - 50, 70});
    box.setFixedWidth(box.width() + 100); // as a frame would make it wider
    fw::Present(&box);
    EXPECT_EQ(box.frameGeometry().right(), screen.right());
    EXPECT_EQ(box.y(), 70);
}
