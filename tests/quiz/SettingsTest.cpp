// The settings file "zandolin.txt": created when missing, read at opening, rewritten at closing.
#include "framework/Errors.h"
#include "quiz/Module1.h"
#include "quiz/Window1.h"
#include "support/FileFaults.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>

using namespace testing_support;

class SettingsTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        UseStubScripts({});
    }
    // Reads the file as the main window's opening does, then writes it as its closing does.
    QString ReadThenSave(const QByteArray* contents) {
        if (contents)
            WriteFile(ConfigFile("zandolin.txt"), *contents);
        Window1& window = Window1::instance();
        read = Module1::SoundFlag;
        window.savePlist();
        return ReadFile(ConfigFile("zandolin.txt"));
    }
    bool read = false;
};

TEST_F(SettingsTest, TheLineIsReadAndWrittenBack) {
    EXPECT_EQ(ReadThenSave(nullptr), "True\n"); // created with the default
    EXPECT_TRUE(read);
    fw::DestroyAllWindows();

    const std::pair<QByteArray, bool> cases[] = {
        {"False\n", false},  {"", false},      {"True\nextra lines\nare dropped\n", true},
        {"True\r\n", true},  {"True\r", true}, {"true\n", false},
        {"Truest\n", false},
    };
    for (const auto& [contents, expected] : cases) {
        SCOPED_TRACE(contents.toStdString());
        const QString saved = ReadThenSave(&contents);
        EXPECT_EQ(read, expected);
        EXPECT_EQ(saved, expected ? "True\n" : "False\n");
        fw::DestroyAllWindows();
    }
}

TEST_F(SettingsTest, AFolderThatCannotBeMadeGivesAClearMessage) {
    // The preferences folder would have to be made inside a plain file.
    WriteFile(ConfigFile("plain"), "x");
    qputenv("XDG_CONFIG_HOME", ConfigFile("plain/config").toUtf8());
    Window1::instance();
    ASSERT_FALSE(services->messages.isEmpty());
    EXPECT_TRUE(services->messages.first().contains("preferences folder"))
        << services->messages.first().toStdString();
    EXPECT_TRUE(services->messages.first().contains("cannot be created"));
}

TEST_F(SettingsTest, AFailedSaveKeepsTheOldFile) {
    WriteFile(ConfigFile("zandolin.txt"), "True\n");
    Window1& window = Window1::instance();
    const QSignalSpy closed(&window, &Window1::closed);
    Module1::SoundFlag = false;
    {
        ScopedFileSizeLimit full(2); // as on a full disk
        EXPECT_THROW(window.savePlist(), fw::Error);
    }
    EXPECT_EQ(ReadFile(ConfigFile("zandolin.txt")), "True\n");
    // No leftovers of the failed save (the scores file made at start-up is another matter).
    EXPECT_EQ(QDir(ConfigDir()).entryList({"zandolin.txt*"}, QDir::Files), QStringList{"zandolin.txt"});

    // Closing the window still quits even though the settings cannot be saved; the user is told.
    {
        ScopedFileSizeLimit full(2);
        window.close();
    }
    EXPECT_EQ(closed.size(), 1);
    ASSERT_FALSE(services->messages.isEmpty());
    EXPECT_TRUE(services->messages[0].contains("previous version is kept"))
        << services->messages[0].toStdString();
    EXPECT_EQ(ReadFile(ConfigFile("zandolin.txt")), "True\n");
}
