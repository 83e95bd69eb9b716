// A whole test of twenty questions against a private MPD, through the real window and scripts.
#include "framework/ScriptRunner.h"
#include "quiz/Module1.h"
#include "quiz/Window1.h"
#include "support/PrivateMpd.h"
#include "support/TestSupport.h"

using namespace testing_support;

class EndToEndTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_TRUE(mpd.Start()) << mpd.Error().toStdString();
        Module1::R = std::make_unique<QRandomGenerator>(2024);
    }
    void TearDown() override {
        if (auto* window = fw::OpenInstance<Window1>())
            window->Thread1.wait();
        AppTest::TearDown();
        mpd.Stop();
    }
    PrivateMpd mpd;
};

TEST_F(EndToEndTest, EveryQuestionPlaysTheSongOfItsRow) {
    Window1& window = Window1::instance();
    ASSERT_GE(window.Playlists->ListCount(), 2);
    ASSERT_EQ(window.Playlists->Cell(1, 1), "Classics");
    window.Playlists->ListIndex(1);
    window.Playlists_DoubleClick();
    window.Thread1.wait();
    ProcessEvents();
    ASSERT_EQ(window.NoSongs->text(), "12");
    ASSERT_TRUE(services->messages.isEmpty()) << services->messages.join('|').toStdString();
    EXPECT_FALSE(Shown(window.Busy));

    window.StartTest->click();
    int expectedPoints = 0;
    for (int question = 1; question <= 20; ++question) {
        SCOPED_TRACE(question);
        ASSERT_EQ(Module1::Question, question);
        // The song MPD plays is the one in the question's row, and its title is the right answer (the
        // first row shows it after a blank).
        const QString row = window.iTunes->Cell(Module1::M, 0);
        const QString title = Module1::M == 0 ? row.mid(1) : row;
        EXPECT_EQ(title, mpd.CurrentTitle());
        EXPECT_TRUE(mpd.IsPlaying());
        EXPECT_TRUE(Module1::ChoiceArray.contains(Module1::CorrectAnswer));
        EXPECT_EQ(Module1::CorrectAnswer, title);

        const bool right = question % 3 != 0;
        window.ComboBox1->setEditText(right ? Module1::CorrectAnswer : QString());
        window.Enter->click();
        expectedPoints += right ? 10 : -1;
        EXPECT_EQ(Module1::Points, expectedPoints);
        EXPECT_FALSE(mpd.IsPlaying()); // Enter ends the song
        if (question < 20)
            window.NextQuestion->click();
    }
    EXPECT_TRUE(Shown(window.TestOver));
    EXPECT_EQ(Module1::Points, 14 * 10 - 6);
    EXPECT_TRUE(services->messages.isEmpty()) << services->messages.join('|').toStdString();
}
