// The player's list replies turned into rows: the long titles and the limits, and short replies of every
// odd kind against taking the pieces from the reply's front one by one.
#include "quiz/ReplyParser.h"
#include "support/TestSupport.h"

#include <random>

namespace {

// count pieces from prefix1 on, joined with sep and followed by end.
QString Reply(const QString& prefix, int count, const QString& sep, const QString& end) {
    QStringList pieces;
    for (int i = 1; i <= count; ++i)
        pieces << prefix + QString::number(i);
    return pieces.join(sep) + end;
}

TEST(ReplyParserTest, RowsOfLongTitlesAndAtTheLimits) {
    const QString a50(50, 'a'), b60(60, 'b'), c50(50, 'c'), c51(51, 'c');
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
        {true,
         a50 + "##%#," + a50 + "##%#," + b60 + "##%#",
         {" " + a50.left(49) + "...", a50, b60.left(50) + "..."}},
        {true, c50.left(49) + "##%#," + c50 + "##%#", {" " + c50.left(49), c50}}, // 50 in all: whole
        {true, "x##%#," + c51 + "##%#", {" x", c50 + "..."}},
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

// The rows as first defined: pieces taken from the front of the reply one by one (without the shortening
// and the limits, which the replies below never reach).
QStringList ConsumingParse(QString L, const QString& sep, bool titles) {
    QStringList rows;
    for (;;) {
        const qsizetype at = L.indexOf(sep);
        const QString t = at >= 0 ? L.left(at) : L;
        if (t.isEmpty())
            break;
        rows << (rows.isEmpty() ? " " + t : t);
        L = L.mid(t.size() + sep.size());
    }
    if (titles && !rows.isEmpty())
        rows.last().chop(4);
    return rows;
}

TEST(ReplyParserTest, CursorParsesAgreeWithConsumingFromTheFront) {
    // Short replies of separator-like letters joined in every odd way: no title needs shortening and no
    // limit is reached, where the two are meant to differ.
    std::mt19937 random(20240611);
    const QStringList bits{"a", "#", "%", ",", "ä", "##%#", "##%#,", "##%", ",,", " "};
    std::uniform_int_distribution<int> pick(0, int(bits.size()) - 1), length(0, 12);
    for (int n = 0; n < 3000; ++n) {
        QString reply;
        for (int k = length(random); k > 0; --k)
            reply += bits[pick(random)];
        for (const bool titles : {true, false}) {
            const auto parsed = titles ? ReplyParser::SongTitles(reply) : ReplyParser::PlaylistNames(reply);
            EXPECT_EQ(parsed.rows, ConsumingParse(reply, titles ? "##%#," : ",", titles))
                << reply.toStdString();
        }
    }
}

} // namespace
