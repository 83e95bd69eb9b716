// The high-score table and its file: any file read as it stands, ranked insertion, renaming, clearing,
// failures, and two copies of the program sharing one file.
#include "scores/ScoresTestSupport.h"
#include "support/FileFaults.h"

#include <optional>

using namespace scores_testing;

class ScoreTableTest : public ScoresTest {
protected:
    // A table on the scores file, loaded; what it reports is collected in failures.
    std::unique_ptr<ScoreTable> Loaded() {
        auto table = std::make_unique<ScoreTable>();
        QObject::connect(table.get(), &ScoreTable::failed,
                         [this](const QString& message) { failures << message; });
        table->load();
        return table;
    }
    // kTen with the name and score at row (none for -1), the lowest leaving.
    static QStringList TenWith(const QString& name, int points, int row) {
        QStringList entries = kTen;
        if (row >= 0)
            entries = (entries.mid(0, 2 * row) << name << QString::number(points)) +
                      entries.mid(2 * row, 18 - 2 * row);
        return entries;
    }
    QStringList failures;
};

TEST_F(ScoreTableTest, FilesAreReadAsTheyStandAndRewrittenAsTenLines) {
    // Each file (none: missing) and the names and scores of its first rows; the rest are empty.
    const std::pair<std::optional<QByteArray>, QStringList> cases[] = {
        {std::nullopt, Zeros(" ")},
        {"Ann\t30\r\nBob\t20\rCy\t10\n", {"Ann", "30", "Bob", "20", "Cy", "10"}},
        {"Ann 30\nBob\t20\textra\nCy\t007\n", {"Ann 30", "", "Bob", "20", "Cy", "007"}},
        {ScoresFile(kTen) + "Kim\t5\nLu\t3\n", kTen},
    };
    for (const auto& [file, entries] : cases) {
        SCOPED_TRACE(file.value_or("(none)").toStdString());
        QFile::remove(Path());
        if (file)
            WriteFile(Path(), *file);
        const auto table = Loaded();
        QStringList expected = entries;
        while (expected.size() < 20)
            expected << QString();
        EXPECT_EQ(Flat(table->entries()), expected);
        EXPECT_EQ(Stored(), file.value_or(ScoresFile(expected)));
        ASSERT_TRUE(table->save());
        EXPECT_EQ(Stored(), ScoresFile(expected));
    }
    EXPECT_TRUE(failures.isEmpty());
}

TEST_F(ScoreTableTest, AnEntryRanksByNumberBelowEqualScoresAndTheLowestLeaves) {
    // Points and the row they end in; -1 when they stay out. 100 ranks above 95, though "100" < "95".
    const std::pair<int, int> cases[] = {{201, 0}, {200, 1}, {151, 1}, {150, 3}, {100, 4}, {96, 4},
                                         {95, 5},  {60, 6},  {50, 7},  {30, 8},  {8, 9},   {7, -1}};
    for (const auto& [points, row] : cases) {
        SCOPED_TRACE(points);
        WriteFile(Path(), ScoresFile(kTen));
        const auto table = Loaded();
        table->insert(QStringLiteral("New"), points);
        EXPECT_EQ(Flat(table->entries()), TenWith(QStringLiteral("New"), points, row));
        EXPECT_EQ(Stored(), ScoresFile(TenWith(QStringLiteral("New"), points, row)));
    }
    // A table edited out of order comes out wholly ordered; empty scores count as 0.
    WriteFile(Path(), "Lo\t5\nHi\t100\nMid\t50\nTop\t100\n");
    Loaded()->insert(QStringLiteral("New"), 50);
    EXPECT_EQ(Stored(), ScoresFile({"Hi", "100", "Top", "100", "Mid", "50", "New", "50", "Lo", "5"}) +
                            QByteArray("\t\n").repeated(5));
}

TEST_F(ScoreTableTest, OnlyPointsAboveTheTenthScoreQualify) {
    const std::tuple<const char*, int, bool> cases[] = {
        {"0", 1, true},
        {"150", 150, false},
        {"150", 151, true},
        {"0", 0, false},
        {"-30", -20, false},
        {"abc", 5, true},
        {"", 5, true},
        {"95", 100, true},
        {"100", 95, false},
        // A hand-edited score counts by the number at its start, after blanks.
        {" 42 pts", 42, false},
        {" 42 pts", 43, true},
        {"1.5x", 1, false},
        {"1.5x", 2, true},
        {"007", 7, false},
        {"1e3", 999, false},
        {"2e", 3, true},
        {".", 1, true},
        {"+1.", 1, false},
    };
    for (const auto& [tenth, points, qualifies] : cases) {
        SCOPED_TRACE(tenth);
        WriteFile(Path(), ScoresFile(kTen.mid(0, 18) << "Jo" << tenth));
        EXPECT_EQ(Loaded()->qualifies(points), qualifies) << points;
    }
}

TEST_F(ScoreTableTest, RenameAndClearRewriteTheFile) {
    WriteFile(Path(), ScoresFile(kTen));
    const auto table = Loaded();
    table->rename(1, QStringLiteral("Zoe"));
    // A TAB or a line end would split the line and shift every entry after it.
    table->rename(4, QStringLiteral("E\td\r\nE\r"));
    table->rename(10, QStringLiteral("Nobody"));
    QStringList renamed = kTen;
    renamed[2] = QStringLiteral("Zoe");
    renamed[8] = QStringLiteral("EdE");
    EXPECT_EQ(Flat(table->entries()), renamed);
    EXPECT_EQ(Stored(), ScoresFile(renamed));

    table->clear();
    EXPECT_EQ(Flat(table->entries()), Zeros(""));
    EXPECT_EQ(Stored(), QByteArray("\t0\n").repeated(10));
    EXPECT_TRUE(failures.isEmpty());
}

TEST_F(ScoreTableTest, AFileThatCannotBeReadOrWrittenIsReportedAndKept) {
    // No default file can be written: the table is the default one, and the next change tries again.
    {
        ScopedFileSizeLimit full(1);
        EXPECT_EQ(Flat(Loaded()->entries()), Zeros(" "));
    }
    EXPECT_FALSE(QFile::exists(Path()));
    // An unreadable file gives ten empty entries and stays as it is until the table changes.
    WriteFile(Path(), ScoresFile(kTen));
    QFile::setPermissions(Path(), QFileDevice::WriteOwner);
    std::unique_ptr<ScoreTable> table;
    {
        PermissionsBind bind;
        table = Loaded();
    }
    QFile::setPermissions(Path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(Flat(table->entries()), Zeros(""));
    EXPECT_EQ(Stored(), ScoresFile(kTen));
    table->rename(0, QStringLiteral("Max"));
    EXPECT_EQ(Stored(), "Max\t0\n" + QByteArray("\t0\n").repeated(9));
    // A failed save keeps the old file and the new entry in the table.
    const QString before = BackdatedState();
    {
        ScopedFileSizeLimit full(1);
        table->insert(QStringLiteral("Amy"), 170);
    }
    EXPECT_EQ(State(), before);
    EXPECT_EQ(Flat(table->entries()).mid(0, 4), QStringList({"Amy", "170", "Max", "0"}));
    ASSERT_EQ(failures.size(), 3);
    EXPECT_TRUE(failures[0].startsWith("The high scores file could not be created"));
    EXPECT_TRUE(failures[1].startsWith("The high scores could not be read"));
    EXPECT_TRUE(failures[2].startsWith("The high scores could not be saved"));
}

TEST_F(ScoreTableTest, TwoCopiesOnOneFileKeepWhatTheOtherFiled) {
    WriteFile(Path(), ScoresFile(kTen));
    const auto first = Loaded();
    const auto second = Loaded();
    first->insert(QStringLiteral("Amy"), 180);
    second->insert(QStringLiteral("Ben"), 120);
    QStringList both = {"Ann", "200", "Amy", "180", "Bob", "150", "Cy",  "150", "Ben", "120",
                        "Di",  "100", "Ed",  "95",  "Flo", "60",  "Gus", "50",  "Hal", "30"};
    EXPECT_EQ(Stored(), ScoresFile(both));
    // The first copy still shows Di in row 4; the rename finds the entry where it is now.
    first->rename(4, QStringLiteral("Dora"));
    both[10] = QStringLiteral("Dora");
    EXPECT_EQ(Stored(), ScoresFile(both));
    // The second copy judges against the table as filed, whose tenth score is now 30.
    EXPECT_FALSE(second->qualifies(25));
    EXPECT_EQ(Flat(second->entries()), both);
    EXPECT_TRUE(failures.isEmpty());
}
