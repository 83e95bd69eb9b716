// The playlist and title replies turned into rows, at their edges: separators at the end, empty pieces,
// the limits, the shortening of long titles and the cut of the four characters after the last title.
#include "quiz/ReplyParser.h"
#include "framework/Text.h"
#include "support/TestSupport.h"

#include <random>

namespace {

class ReplyParserTest : public testing_support::AppTest {};

QString Titles(int count, int from = 1) {
    QStringList titles;
    for (int i = from; i < from + count; ++i)
        titles << QStringLiteral("Song %1").arg(i);
    return titles.join(QStringLiteral("##%#,")) + QStringLiteral("##%#");
}

TEST_F(ReplyParserTest, PlaylistNamesEndAtAnEmptyPieceOrTheHundredth) {
    const QStringList abc{QStringLiteral(" A"), QStringLiteral("B"), QStringLiteral("C")};
    const auto plain = ReplyParser::PlaylistNames(QStringLiteral("A,B,C"));
    EXPECT_EQ(plain.rows, abc);
    EXPECT_FALSE(plain.full);
    EXPECT_EQ(plain.rest, 5);
    EXPECT_EQ(ReplyParser::PlaylistNames(QStringLiteral("A,B,C,")).rows, abc);

    // Two separators in a row: the empty piece ends the table; the rest is left unread.
    const QString gap = QStringLiteral("A,,C");
    const auto stopped = ReplyParser::PlaylistNames(gap);
    EXPECT_EQ(stopped.rows, QStringList{QStringLiteral(" A")});
    EXPECT_EQ(gap.mid(stopped.rest), QStringLiteral(",C"));

    EXPECT_TRUE(ReplyParser::PlaylistNames(QString()).rows.isEmpty());
    EXPECT_TRUE(ReplyParser::PlaylistNames(QStringLiteral(",A")).rows.isEmpty());

    // Names keep their letters and inner blanks; only the first gets the blank in front.
    EXPECT_EQ(ReplyParser::PlaylistNames(QStringLiteral("Library,Ça plane ,Łódź")).rows,
              (QStringList{QStringLiteral(" Library"), QStringLiteral("Ça plane "), QStringLiteral("Łódź")}));

    QStringList many;
    for (int i = 1; i <= 150; ++i)
        many << QStringLiteral("P%1").arg(i);
    const QString reply = many.join(QLatin1Char(','));
    const auto capped = ReplyParser::PlaylistNames(reply);
    ASSERT_EQ(capped.rows.size(), 100);
    EXPECT_TRUE(capped.full);
    EXPECT_EQ(capped.rows.first(), QStringLiteral(" P1"));
    EXPECT_EQ(capped.rows.last(), QStringLiteral("P100"));
    EXPECT_TRUE(reply.mid(capped.rest).startsWith(QStringLiteral("P101,")));

    // Exactly 100 names also count as a full table (the window is redrawn); 99 do not.
    EXPECT_TRUE(ReplyParser::PlaylistNames(QStringList(many.mid(0, 100)).join(QLatin1Char(','))).full);
    EXPECT_FALSE(ReplyParser::PlaylistNames(QStringList(many.mid(0, 99)).join(QLatin1Char(','))).full);
}

TEST_F(ReplyParserTest, TitlesLoseTheTrailerOfTheLastOne) {
    const QString xyz = QStringLiteral("x##%#,y##%#,z##%#");
    const auto rows = ReplyParser::SongTitles(xyz);
    EXPECT_EQ(rows.rows, (QStringList{QStringLiteral(" x"), QStringLiteral("y"), QStringLiteral("z")}));
    EXPECT_EQ(rows.rest, xyz.size());

    EXPECT_EQ(ReplyParser::SongTitles(QStringLiteral("Solo##%#")).rows, QStringList{QStringLiteral(" Solo")});
    EXPECT_TRUE(ReplyParser::SongTitles(QString()).rows.isEmpty());

    // Titles with the separator's first characters, a comma and other letters stay whole.
    EXPECT_EQ(
        ReplyParser::SongTitles(QStringLiteral("a#b##%#,Salt, Pepper##%#,Ωmega #%##%#")).rows,
        (QStringList{QStringLiteral(" a#b"), QStringLiteral("Salt, Pepper"), QStringLiteral("Ωmega #%")}));

    // An empty piece ends the list; the row before it gets the final cut, as the list's last row does.
    const QString gap = QStringLiteral("first one##%#,##%#,never");
    const auto stopped = ReplyParser::SongTitles(gap);
    EXPECT_EQ(stopped.rows, QStringList{QStringLiteral(" first")});
    EXPECT_EQ(gap.mid(stopped.rest), QStringLiteral("##%#,never"));
}

TEST_F(ReplyParserTest, LongTitlesAreShortenedBeforeTheCut) {
    const QString fifty(50, QLatin1Char('a'));
    const QString sixty(60, QLatin1Char('b'));
    const auto rows = ReplyParser::SongTitles(fifty + QStringLiteral("##%#,") + fifty +
                                              QStringLiteral("##%#,") + sixty + QStringLiteral("##%#"));
    ASSERT_EQ(rows.rows.size(), 3);
    // The blank in front of the first title counts towards the 50.
    EXPECT_EQ(rows.rows[0], QStringLiteral(" ") + fifty.left(49) + QStringLiteral("..."));
    EXPECT_EQ(rows.rows[1], fifty);
    // The last title loses its trailer first and is then shortened like the others.
    EXPECT_EQ(rows.rows[2], sixty.left(50) + QStringLiteral("..."));

    // Titles of 47 to 50 characters fit once the trailer is gone: no part of "##%#" shows.
    for (int length = 46; length <= 51; ++length) {
        const QString title(length, QLatin1Char('c'));
        const auto last = ReplyParser::SongTitles(QStringLiteral("x##%#,") + title + QStringLiteral("##%#"));
        EXPECT_EQ(last.rows.last(), length <= 50 ? title : title.left(50) + QStringLiteral("...")) << length;
    }
}

TEST_F(ReplyParserTest, TitlesStopAtTenThousand) {
    // More than 10,000: the 10,000th title was followed by a separator, so it is whole.
    const QString longer = Titles(10005);
    const auto capped = ReplyParser::SongTitles(longer);
    ASSERT_EQ(capped.rows.size(), 10000);
    EXPECT_TRUE(capped.full);
    EXPECT_EQ(capped.rows.first(), QStringLiteral(" Song 1"));
    EXPECT_EQ(capped.rows.last(), QStringLiteral("Song 10000"));
    EXPECT_TRUE(longer.mid(capped.rest).startsWith(QStringLiteral("Song 10001##%#,")));

    // Exactly 10,000: the last title ends the reply and loses its trailer like any last title.
    const auto exact = ReplyParser::SongTitles(Titles(10000));
    ASSERT_EQ(exact.rows.size(), 10000);
    EXPECT_EQ(exact.rows.last(), QStringLiteral("Song 10000"));
    EXPECT_EQ(exact.rest, Titles(10000).size());

    const auto under = ReplyParser::SongTitles(Titles(9999));
    ASSERT_EQ(under.rows.size(), 9999);
    EXPECT_FALSE(under.full);
    EXPECT_EQ(under.rows.last(), QStringLiteral("Song 9999"));
}

// The parse that consumes the reply from the front, piece by piece, as the rows were first defined.
QStringList ConsumingParse(QString L, const QString& sep, int limit, bool titles) {
    QStringList rows;
    int i = 0;
    bool stoppedAtEmpty = false;
    for (i = 0; i < limit; ++i) {
        const int at = fw::InStr(L, sep);
        const QString t = at > 0 ? fw::Left(L, at - 1) : L;
        if (t.isEmpty()) {
            stoppedAtEmpty = true;
            break;
        }
        QString u = i == 0 ? QStringLiteral(" ") + t : t;
        if (titles && fw::Len(u) > 50)
            u = fw::Left(u, 50) + QStringLiteral("...");
        rows << u;
        L = fw::Right(L, fw::Len(L) - (fw::Len(t) + fw::Len(sep)));
    }
    if (titles && stoppedAtEmpty && i > 0)
        rows.last() = fw::Left(rows.last(), fw::Len(rows.last()) - 4);
    return rows;
}

TEST_F(ReplyParserTest, CursorParsesAgreeWithConsumingFromTheFront) {
    // Short pieces of separator-like letters, joined in every odd way; short enough that no last title
    // needs shortening and few enough that no limit is reached, where the two are meant to differ.
    std::mt19937 random(20240611);
    const QStringList bits{"a", "#", "%", ",", "ä", "##%#", "##%#,", "##%", ",,", " "};
    std::uniform_int_distribution<int> pick(0, int(bits.size()) - 1), length(0, 12);
    for (int n = 0; n < 3000; ++n) {
        QString reply;
        for (int k = length(random); k > 0; --k)
            reply += bits[pick(random)];
        EXPECT_EQ(ReplyParser::SongTitles(reply).rows,
                  ConsumingParse(reply, QStringLiteral("##%#,"), ReplyParser::MaxTitles, true))
            << reply.toStdString();
        EXPECT_EQ(ReplyParser::PlaylistNames(reply).rows,
                  ConsumingParse(reply, QStringLiteral(","), ReplyParser::MaxPlaylists, false))
            << reply.toStdString();
    }
}

} // namespace
