// The player's list replies turned into rows: the long titles and the limits. Replies of every odd kind are
// checked against a plain reading of the rules by the fuzz target fuzz/RepliesFuzz.cpp.
#include "quiz/ReplyParser.h"
#include "support/TestSupport.h"

namespace {

// count pieces from prefix1 on, joined with sep and followed by end.
QString Reply(const QString& prefix, int count, const QString& sep, const QString& end) {
    QStringList pieces;
    for (int i = 1; i <= count; ++i)
        pieces << prefix + QString::number(i);
    return pieces.join(sep) + end;
}

TEST(ReplyParserTest, RowsOfLongTitlesAndAtTheLimits) {
    const QString a49(49, 'a'), a50(50, 'a'), b60(60, 'b'), c50(50, 'c'), c51(51, 'c');
    const struct {
        bool titles;
        QString reply;
        QStringList rows;
    } cases[] = {
        {false, "A,B,C", {" A", "B", "C"}},
        {true, "a#b##%#,Salt, Pepper##%#,Ωmega #%##%#", {" a#b", "Salt, Pepper", "Ωmega #%"}},
        {true, "first one##%#,##%#,never", {" first"}}, // the row before an empty piece gets the cut
        // Longer titles show 50 characters and "...", the first one's blank included; the last one loses
        // its trailer first, so that none of it shows.
        {true, a50 + "##%#," + a50 + "##%#," + b60 + "##%#", {" " + a49 + "...", a50, b60.left(50) + "..."}},
        {true, c50.left(49) + "##%#," + c50 + "##%#", {" " + c50.left(49), c50}}, // 50 in all: whole
        {true, "x##%#," + c51 + "##%#", {" x", c50 + "..."}},
        // A cut never splits a character: half an emoji, a letter from its accent.
        {true, "x##%#," + a49 + "e\u0301##%#," + a49 + "\U0001F600##%#", {" x", a49 + "...", a49 + "..."}},
    };
    for (const auto& c : cases) {
        const auto parsed = c.titles ? ReplyParser::SongTitles(c.reply) : ReplyParser::PlaylistNames(c.reply);
        EXPECT_EQ(parsed.rows, c.rows) << c.reply.toStdString();
    }

    const auto table = ReplyParser::PlaylistNames(Reply("P", 150, ",", "")).rows;
    EXPECT_EQ(table.size(), 100);
    EXPECT_EQ(table.last(), "P100");

    // At the limit the 10,000th title is whole, cut only when it ended the reply.
    for (const int count : {10000, 10005}) {
        const auto titles = ReplyParser::SongTitles(Reply("Song ", count, "##%#,", "##%#"));
        ASSERT_EQ(titles.rows.size(), 10000) << count;
        EXPECT_EQ(titles.rows.last(), "Song 10000") << count;
    }
}

} // namespace
