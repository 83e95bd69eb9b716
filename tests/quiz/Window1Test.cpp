// The main window through its controls, with stub scripts, a seeded generator and timers fired by the
// test: a test of twenty questions, the drawing of the choices, Return, the lists' loading and folding, and
// the settings file "zandolin.txt", created when missing, read at opening and rewritten at closing.
#include "quiz/Window1.h"
#include "framework/ScriptRunner.h"
#include "quiz/Module1.h"
#include "scores/Congratulations.h"
#include "support/FileFaults.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <sys/stat.h>

using namespace testing_support;

// The controls as each phase should have them (written out apart from the window's own table).
const QString kIdle = "start* enter- next- more- box-", kListening = "start+ enter* next- more+ box+",
              kAnswered = "start+ enter- next* more+ box+", kOver = "start* enter- next- more+ box-";
const QStringList kTenSongs{"Alpha",   "Bravo", "Charlie", "Delta", "Echo",
                            "Foxtrot", "Golf",  "Hotel",   "India", "Juliet"};

class Window1Test : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        UseStubScripts({{172, "printf 'Library,Rock'"}});
        Module1::R = std::make_unique<QRandomGenerator>(99);
        window = &Window1::instance();
        ProcessEvents(); // it shows
        Module1::Z = 2;
        SetSongs(kTenSongs);
    }
    // Closes the window, which saves the settings, and opens it again, on a settings file with these
    // contents if given.
    void Reopen(const QByteArray* contents = nullptr) {
        window->close();
        ProcessEvents();
        if (contents)
            WriteFile(ConfigFile("zandolin.txt"), *contents);
        window = &Window1::instance();
    }
    void SetSongs(const QStringList& titles) {
        window->iTunes->DeleteAllRows();
        for (const QString& title : titles)
            window->iTunes->AddRow(title);
    }
    void Answer(bool right) {
        window->ComboBox1->setEditText(right ? Module1::CorrectAnswer : QStringLiteral("Not this one"));
        window->Enter->click();
    }
    void PlayWholeTest(bool right) {
        window->StartTest->click();
        for (int q = 1; q <= 20; ++q) {
            Answer(right);
            if (q < 20)
                window->NextQuestion->click();
        }
    }
    // The texts of the outcome labels on show.
    QStringList Outcome() const {
        QStringList shown;
        for (const QLabel* label : {window->Banner, window->Label, window->Answer, window->TestOver})
            if (Shown(label))
                shown << label->text();
        return shown;
    }
    QStringList WrongOutcome() const { return {"Nope!", "Correct answer was", Module1::CorrectAnswer}; }
    // The buttons and the choice box: "*" enabled and the default button, "+" enabled, "-" disabled.
    QString Controls() const {
        auto mark = [](const QWidget* c) {
            auto* button = qobject_cast<const QPushButton*>(c);
            return button && button->isDefault() ? "*" : c->isEnabled() ? "+" : "-";
        };
        return QStringLiteral("start%1 enter%2 next%3 more%4 box%5")
            .arg(mark(window->StartTest), mark(window->Enter), mark(window->NextQuestion),
                 mark(window->MoreTime), mark(window->ComboBox1));
    }
    Window1* window = nullptr;
};

TEST_F(Window1Test, OpensResetAndStartsWithTenSongsOrMoreAndReturnPressesEachPhasesButton) {
    EXPECT_EQ(Outcome(), QStringList{});
    EXPECT_EQ(window->NPoints->text() + window->QuestionNo->text(), "00");
    EXPECT_EQ(window->Playlists->item(1, 0)->textAlignment(), Qt::AlignCenter); // the playlist's number
    EXPECT_EQ(Controls(), kIdle);
    SetSongs(kTenSongs.mid(0, 9));
    window->StartTest->click();
    EXPECT_EQ(services->messages,
              QStringList{"There are not enough songs in this Playlist to play Zandolin!"});
    EXPECT_EQ(Module1::Question, 0);

    SetSongs(kTenSongs);
    QTest::keyClick(window->Playlists, Qt::Key_Return);
    EXPECT_EQ(window->QuestionNo->text(), "1");
    EXPECT_EQ(Controls(), kListening);
    EXPECT_TRUE(window->Timer4.isActive());
    EXPECT_EQ(ScriptLog().last(), QStringLiteral("169 2 %1").arg(Module1::M + 1));
    EXPECT_EQ(window->ComboBox1->currentText(), ""); // nothing is chosen for the player
    EXPECT_EQ(window->focusWidget(), window->ComboBox1);
    emit window->ComboBox1->activated(2); // a pick takes the focus away from the box
    EXPECT_EQ(window->focusWidget(), window->ComboBox2);
    window->ComboBox1->setEditText("My guess");
    QTest::keyClick(window->ComboBox1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Module1::Points, -1);
    EXPECT_EQ(window->ComboBox1->count(), 5); // a typed answer never joins the choices
    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_EQ(Module1::Question, 2);
}

TEST_F(Window1Test, AnswersShowTheirOutcomeRightOnesMoveOnByThemselvesAndQuitResets) {
    window->StartTest->click();
    FireNow(window->Timer4); // the ten seconds are up
    EXPECT_EQ(ScriptLog().last(), "170");
    window->MoreTime->click();
    EXPECT_EQ(ScriptLog().last(), "171");
    EXPECT_TRUE(window->Timer4.isActive());
    window->ComboBox1->setEditText(QString()); // no answer is a wrong one
    window->Enter->click();
    EXPECT_EQ(window->NPoints->text(), "-1");
    EXPECT_EQ(Outcome(), WrongOutcome());
    EXPECT_EQ(Controls(), kAnswered);
    EXPECT_EQ(ScriptLog().last(), "170"); // the song stops
    FireNow(window->Timer2);
    EXPECT_EQ(Outcome(), WrongOutcome().mid(1)); // the right title stays until the next song
    window->NextQuestion->click();
    EXPECT_EQ(Outcome(), QStringList{});
    EXPECT_EQ(Controls(), kListening);

    for (int q = 2; q < 5; ++q) {
        Answer(true);
        FireNow(window->Timer3); // two seconds later
    }
    ASSERT_EQ(Module1::Question, 5);
    Answer(true);
    EXPECT_EQ(window->NPoints->text(), "39");
    EXPECT_EQ(Outcome(), QStringList{"Excellent!"});
    EXPECT_EQ(Controls(), kAnswered);
    window->NextQuestion->click(); // the player is quicker than the timer
    EXPECT_FALSE(window->Timer3.isActive());
    EXPECT_EQ(window->QuestionNo->text(), "6");
    EXPECT_EQ(window->ComboBox1->currentText(), ""); // the last answer is gone
    EXPECT_EQ(Outcome(), QStringList{});

    Answer(false);
    window->Quit->click();
    for (const QTimer* timer : {&window->Timer1, &window->Timer2, &window->Timer3, &window->Timer4})
        EXPECT_FALSE(timer->isActive()); // nothing of the quit test acts later
    EXPECT_EQ(window->NPoints->text() + window->QuestionNo->text(), "00");
    EXPECT_EQ(Outcome(), QStringList{});
    EXPECT_EQ(Controls(), kIdle);
}

TEST_F(Window1Test, TheTwentiethAnswerEndsTheTest) {
    PlayWholeTest(true);
    EXPECT_EQ(Module1::Points, 200);
    EXPECT_EQ(Outcome(), (QStringList{"Excellent!", "Test Over!"}));
    EXPECT_EQ(window->ComboBox1->currentText(), "");
    EXPECT_EQ(Controls(), kOver);
    Congratulations* entry = fw::OpenInstance<Congratulations>();
    ASSERT_NE(entry, nullptr);
    // At left 740, top 70, or as far left as it takes to lie on a narrower screen.
    const int right = entry->screen()->availableGeometry().right() + 1;
    EXPECT_EQ(entry->pos(), QPoint(std::min(740, right - entry->frameGeometry().width()), 70));
    FireNow(window->Timer3);
    EXPECT_EQ(Module1::Question, 20); // no question 21
    entry->close();
    ProcessEvents();

    // Wrong: no name entry, and the right title and the last answer go five seconds later.
    PlayWholeTest(false);
    EXPECT_EQ(Module1::Points, -20);
    EXPECT_EQ(fw::OpenInstance<Congratulations>(), nullptr);
    EXPECT_EQ(Outcome(), WrongOutcome() << "Test Over!");
    EXPECT_TRUE(window->ComboBox1->isEnabled());
    FireNow(window->Timer1);
    EXPECT_EQ(Outcome(), (QStringList{"Nope!", "Test Over!"}));
    EXPECT_EQ(window->ComboBox1->currentText(), "");
    EXPECT_EQ(Controls(), kOver);
}

TEST_F(Window1Test, ATimerActsOnlyOnTheQuestionThatStartedIt) {
    const struct {
        const char* what;
        std::function<void()> steps;
        int question;
        QString controls;
        bool answerShown;
    } cases[] = {
        {"wrong last answer, Start Test at once", [&] { PlayWholeTest(false), window->StartTest->click(); },
         1, kListening, false},
        {"wrong last answer, Quit Test, Start Test",
         [&] { PlayWholeTest(false), window->Quit->click(), window->StartTest->click(); }, 1, kListening,
         false},
        {"right answer, Next Song at once, wrong answer",
         [&] { window->StartTest->click(), Answer(true), window->NextQuestion->click(), Answer(false); }, 2,
         kAnswered, true},
        {"right last answer, Start Test, wrong answer",
         [&] { PlayWholeTest(true), window->StartTest->click(), Answer(false); }, 1, kAnswered, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        window->Quit->click();
        c.steps();
        // The periods of every timer still running end, shortest first.
        for (QTimer* timer : {&window->Timer3, &window->Timer2, &window->Timer1, &window->Timer4})
            if (timer->isActive())
                FireNow(*timer);
        EXPECT_EQ(Module1::Question, c.question);
        EXPECT_EQ(Controls(), c.controls);
        EXPECT_EQ(Outcome(), c.answerShown ? WrongOutcome().mid(1) : QStringList{});
    }
}

TEST_F(Window1Test, FiveDifferentChoicesInTheBoxWithTheRightOneInChangingPlaces) {
    QSet<int> places, songs;
    for (int draw = 0; draw < 200; ++draw) {
        window->HandleChoices();
        const QStringList& choices = Module1::ChoiceArray;
        EXPECT_EQ(Module1::CorrectAnswer, window->iTunes->Cell(Module1::M, 0));
        EXPECT_EQ(QSet<QString>(choices.begin(), choices.end()).size(), 5);
        QStringList box;
        for (int i = 0; i < window->ComboBox1->count(); ++i)
            box << window->ComboBox1->itemText(i);
        EXPECT_EQ(box, choices);
        places.insert(int(choices.indexOf(Module1::CorrectAnswer)));
        songs.insert(Module1::M);
    }
    EXPECT_EQ(places, (QSet<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(songs.size(), 10);
}

TEST_F(Window1Test, RepeatedTitlesCanStandTwiceAndADrawWithTooFewOtherTitlesStartsAgain) {
    // The list shows its first title after a blank; the choices leave it out. A second row with the
    // same title can stand beside it, and both are right.
    SetSongs({" Twin", "Twin", "C", "D", "E", "F", "G", "H", "I", "J"});
    bool sawTwice = false;
    for (int draw = 0; draw < 500 && !sawTwice; ++draw, window->HandleChoices())
        sawTwice = Module1::M == 0 && Module1::ChoiceArray.count("Twin") == 2;
    EXPECT_TRUE(sawTwice);
    // A draw on one of the three single rows finds only three other titles, gives up and draws again.
    SetSongs({" Same", "Same", "Same", "One", "Same", "Two", "Same", "Same", "Three", "Same"});
    for (int draw = 0; draw < 30; ++draw) {
        window->HandleChoices();
        QStringList sorted = Module1::ChoiceArray;
        sorted.sort();
        EXPECT_EQ(sorted, (QStringList{"One", "Same", "Same", "Three", "Two"}));
    }
}

TEST_F(Window1Test, ListsThatCanNeverGiveFiveChoicesAreRefusedWithoutHanging) {
    SetSongs({" A", "B", "C", "A", "B", "C", "A", "B", "C", "A"});
    window->StartTest->click();
    EXPECT_EQ(services->messages,
              QStringList{"There are not enough different song titles in this Playlist to play Zandolin!"});
    EXPECT_EQ(Controls(), kIdle);
    // Four titles of which some repeat can: a song titled A leaves A, B, C and D on the other rows.
    SetSongs({"A", "B", "C", "D", "A", "B", "C", "D", "A", "B"});
    window->StartTest->click();
    EXPECT_EQ(Module1::Question, 1);
    // A list replaced during the test by four single titles cannot; the test stays where it was.
    SetSongs({"A", "B", "C", "D"});
    window->NextQuestion->setEnabled(true);
    window->NextQuestion->click();
    EXPECT_EQ(Module1::Question, 1);
    EXPECT_EQ(services->messages.size(), 2);
}

TEST_F(Window1Test, TheLoaderThreadTakesTheMainThreadsListingAndHidesBusy) {
    // Rather than ask the player a second time; the run on the main thread shows the wait cursor, and the
    // window as painted an empty song list beside Busy.
    UseStubScripts({{168, "sleep 0.2"}});
    // Whether anything but the background is painted in the song list.
    const auto listPainted = [this] {
        const QWidget* list = window->iTunes->viewport();
        const QImage shot = window->screen()
                                ->grabWindow(window->winId())
                                .toImage()
                                .copy(QRect(list->mapTo(window, QPoint()), list->size()));
        QImage blank(shot.size(), shot.format());
        blank.fill(shot.pixel(0, 0));
        return shot != blank;
    };
    SetSongs(QStringList(100, "Title")); // a long list, scrolled down
    fw::Present(window);
    window->iTunes->scrollToBottom();
    ProcessEvents();
    ASSERT_TRUE(listPainted());
    QList<int> cursors;
    bool paintedWhileLoading = true;
    fw::ScriptRunner::SetRunObserver([&](int) {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        cursors << (cursor ? cursor->shape() : -1);
        paintedWhileLoading = listPainted();
    });
    const auto noObserver = qScopeGuard([] { fw::ScriptRunner::SetRunObserver({}); });
    const QRect rock = window->Playlists->visualItemRect(window->Playlists->item(1, 1));
    QTest::mouseClick(window->Playlists->viewport(), Qt::LeftButton, {}, rock.center());
    QTest::mouseDClick(window->Playlists->viewport(), Qt::LeftButton, {}, rock.center());
    ASSERT_TRUE(window->Thread1.wait(30000));
    ProcessEvents();
    EXPECT_FALSE(Shown(window->Busy));
    EXPECT_EQ(ScriptLog().filter("168"), QStringList{"168 2"});
    EXPECT_EQ(cursors, QList<int>{Qt::WaitCursor});
    EXPECT_FALSE(paintedWhileLoading); // no title of the list before
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(Window1Test, TheDisclosureTriangleFoldsThePlaylistAreaAndTheSupportButtonOpensTheStore) {
    for (const auto& [height, text, arrow] :
         {std::tuple{297, "Show", Qt::RightArrow}, std::tuple{432, "Hide", Qt::DownArrow}}) {
        window->DisclosureTriangle1->click();
        EXPECT_EQ(window->centralWidget()->height(), height);
        EXPECT_EQ(window->Disclosure->text(), QString(text) + " Playlists and Song Titles");
        EXPECT_EQ(window->DisclosureTriangle1->arrowType(), arrow);
    }
    window->Kagi1->click();
    const QString page = services->urls.value(0);
    EXPECT_TRUE(page.startsWith("https://") && page.endsWith("&lang=en")) << page.toStdString();
}

TEST_F(Window1Test, TheSettingsLineIsReadAtOpeningAndWrittenBackAtClosing) {
    EXPECT_EQ(ReadFile(ConfigFile("zandolin.txt")), "True\n"); // created with the default
    const std::pair<QByteArray, bool> cases[] = {
        {"False\n", false},  {"", false},      {"True\nextra lines\nare dropped\n", true},
        {"True\r\n", true},  {"True\r", true}, {"true\n", false},
        {"Truest\n", false},
    };
    for (const auto& [contents, expected] : cases) {
        SCOPED_TRACE(contents.toStdString());
        Reopen(&contents);
        EXPECT_EQ(Module1::SoundFlag, expected);
        Reopen();
        EXPECT_EQ(ReadFile(ConfigFile("zandolin.txt")), expected ? "True\n" : "False\n");
    }
}

TEST_F(Window1Test, AFailedSaveKeepsTheOldSettingsAndTheWindowStillCloses) {
    const QSignalSpy closed(window, &Window1::closed);
    Module1::SoundFlag = false;
    {
        ScopedFileSizeLimit full(2); // as on a full disk
        window->close();
    }
    EXPECT_EQ(closed.size(), 1);
    // A preferences folder that cannot be written (even by root) likewise.
    window = &Window1::instance();
    Module1::SoundFlag = false;
    ASSERT_EQ(chmod(QFile::encodeName(ConfigDir()).constData(), 0555), 0);
    {
        PermissionsBind bind;
        window->close();
    }
    chmod(QFile::encodeName(ConfigDir()).constData(), 0755);
    // With the system's reason, not an unknown error or Qt's own words.
    for (const auto& [message, error] :
         {std::pair{services->messages.first(), EFBIG}, {services->messages.last(), EACCES}})
        EXPECT_TRUE(message.endsWith(": " + QString::fromLocal8Bit(std::strerror(error)) +
                                     ". The previous version is kept."))
            << services->messages.join('|').toStdString();
    EXPECT_EQ(ReadFile(ConfigFile("zandolin.txt")), "True\n");
    EXPECT_EQ(QDir(ConfigDir()).entryList({"zandolin.txt*"}, QDir::Files), QStringList{"zandolin.txt"});

    // Nor does a preferences folder that cannot be made (here inside a plain file) keep it from opening.
    qputenv("XDG_CONFIG_HOME", ConfigFile("zandolin.txt/config").toUtf8());
    window = &Window1::instance();
    EXPECT_TRUE(services->messages.last().contains("preferences folder") &&
                services->messages.last().contains("cannot be created"))
        << services->messages.join('|').toStdString();
}
