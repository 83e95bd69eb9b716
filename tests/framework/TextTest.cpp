#include "framework/Text.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(Text, ValReadsTheNumberAtTheStart) {
    EXPECT_EQ(Val(""), 0.0);
    EXPECT_EQ(Val("abc"), 0.0);
    EXPECT_EQ(Val("007"), 7.0);
    EXPECT_EQ(Val("1.5x"), 1.5);
    EXPECT_EQ(Val("-20"), -20.0);
    EXPECT_EQ(Val(" 42 points"), 42.0);
    EXPECT_EQ(Val("."), 0.0);
    EXPECT_EQ(Val("1e3"), 1000.0);
    EXPECT_EQ(Val("2e"), 2.0);
}

TEST(Text, SubstringsCountFromOneAndNeverFail) {
    EXPECT_EQ(Left("Zandolin", 3), "Zan");
    EXPECT_EQ(Left("Zandolin", 0), "");
    EXPECT_EQ(Left("Zandolin", -4), "");
    EXPECT_EQ(Left("Zan", 10), "Zan");
    EXPECT_EQ(Right("Zandolin", 3), "lin");
    EXPECT_EQ(Right("Zandolin", -1), "");
    EXPECT_EQ(Mid("Zandolin", 2, 3), "and");
    EXPECT_EQ(Mid("Zandolin", 7, 10), "in");
    EXPECT_EQ(Mid("Zandolin", 3, -3), "");
    EXPECT_EQ(Mid("Zandolin", 20, 2), "");
    EXPECT_EQ(Len(QStringLiteral("Für")), 3);
}

TEST(Text, InStrFindsOneBasedPositions) {
    EXPECT_EQ(InStr("<a>x</a>", "</a>"), 5);
    EXPECT_EQ(InStr("<a>x</a>", "<b>"), 0);
    EXPECT_EQ(InStr(4, "<a>x</a>", "</a>"), 5);
    EXPECT_EQ(InStr(6, "<a>x</a>", "</a>"), 0);
    EXPECT_EQ(InStr(0, "abc", "a"), 1);
    EXPECT_EQ(InStr("abc", ""), 0);
}

TEST(Text, NthFieldSplitsAtTheSeparator) {
    EXPECT_EQ(NthField("Ann\t150", "\t", 1), "Ann");
    EXPECT_EQ(NthField("Ann\t150", "\t", 2), "150");
    EXPECT_EQ(NthField("Ann\t150", "\t", 3), "");
    EXPECT_EQ(NthField("Ann", "\t", 2), "");
    EXPECT_EQ(NthField("a\t\tc", "\t", 3), "c");
    EXPECT_EQ(NthField("1.4.2.7", ".", 3), "2");
    EXPECT_EQ(NthField("", ".", 1), "");
    EXPECT_EQ(NthField("x##%#,y", "##%#,", 2), "y");
    EXPECT_EQ(Str(qint64(-20)), "-20");
}
