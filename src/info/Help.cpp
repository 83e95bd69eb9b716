#include "info/Help.h"

#include "info/SpellChecker.h"

using A = fw::Align;
using K = fw::Kind;

namespace {

constexpr fw::WindowSpec kWindow{"Zandolin",           655, 303, fw::WindowSpec::Document,
                                 /*close*/ true,
                                 /*minimize*/ false,
                                 /*maximize*/ false,
                                 /*resizeable*/ false,
                                 /*visible*/ true};

// Four paragraphs, one empty line between them, no line break inside a paragraph or after the last;
// two blanks before every sentence but a paragraph's first.
constexpr const char* kHelpText =
    "MPD should be running when you launch Zandolin.  "
    "Zandolin plays through MPD and replaces what MPD is playing while a test runs; MPD's queue is put back "
    "when Zandolin quits."
    "\n\n"
    "Zandolin was developed to let you test your knowledge of your MPD songs.  "
    "When you open the program, a list of your playlists is displayed in a table.  "
    "Double-click one of the playlists to get a list of songs in that playlist; you need a minimum of ten "
    "songs to take a test and fifty or greater would be much better.  "
    "When you click on the \"Start Test\" button, a song is selected at random and a few seconds of this "
    "song is played.  "
    "If you wish, you can click on the \"Need More Time\" button to hear a few more seconds of this song.  "
    "Select a song from the drop-down menu (click on the down arrow to see the choices) and click on the "
    "\"Enter\" button.  "
    "If your answer is correct, you will be awarded ten points and a short sample of the next song will be "
    "played.  "
    "If your answer is incorrect, you will be penalized one point and the correct answer will be "
    "displayed.  "
    "Click on the \"Next Song\" button to continue the test.  "
    "The test is twenty songs."
    "\n\n"
    "At the end of the test, your score is compared to the scores in the High Scores window.  "
    "If your score is above zero and in the top ten scores, your name and score are added to the High "
    "Scores table.  "
    "You can change a name by double-clicking on the name, retyping the name and pressing the \"Return\" "
    "key.  "
    "High Scores information is saved between sessions.  "
    "If you decide to clear the High Scores table, you must verify that this was intentional."
    "\n\n"
    "Application icon by Wren Halloway, Zandolin Artwork.";

// clang-format off
constexpr fw::ControlSpec kControls[] = {
//   name          kind         left top width h    text       font      size bold   align    colour visible default tab options
    {"EditField1", K::TextArea, 20,  20, 615,  263, kHelpText, "System", 0,   false, A::Left, "",    true,   false,  0},
};
// clang-format on

QString& spellingLanguage() {
    static QString language;
    return language;
}

} // namespace

void Help::SetSpellingLanguage(const QString& language) {
    spellingLanguage() = language;
}

Help& Help::instance() {
    return fw::Instance<Help>();
}

Help::Help() : form_(this, kWindow, kControls) {
    const QString language = spellingLanguage();
    // Owned by the text's document.
    auto* spelling =
        new SpellHighlighter(EditField1, language.isEmpty() ? QStringLiteral("en_US") : language);
    // Names in the help text that no dictionary knows.
    spelling->Checker().Accept({QStringLiteral("Zandolin"), QStringLiteral("MPD"), QStringLiteral("MPD's"),
                                QStringLiteral("Halloway")});
    spelling->rehighlight();
}
