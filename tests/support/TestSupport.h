// Shared pieces of the tests: a recording stand-in for message boxes and links, a fresh preferences
// folder per test, and stub music-player scripts.
#pragma once

#include "framework/Services.h"

#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <map>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace testing_support {

// What a box showed the user: its texts as on the screen (the details pane's too), its buttons (the
// default one marked "*"), whether every text in it was plain (never read as markup), and whether the whole
// box, buttons and all, lay within the screen's available area.
struct ShownBox {
    QString title, text, explanation, details;
    QStringList buttons;
    bool plain = true, onScreen = true;
};

// The boxes are the program's own, built as the user would see them; each opens and runs a pass of the
// event loop inside it, as a modal box does, and closes again, answered from a script. Everything shown
// is recorded, so that no test blocks on a modal loop.
class RecordingServices : public fw::UserServices {
public:
    QStringList messages, urls; // the texts of the boxes with one OK button; the addresses opened
    std::vector<ShownBox> boxes;
    int beeps = 0;
    bool opensUrls = true;                 // false: the desktop has no program for the addresses
    QList<int> askAnswers;                 // for AskMessage; Cancel when empty
    QList<fw::DialogAnswer> dialogAnswers; // for AskDialog; Cancel when empty
    std::function<void()> whileShown;      // runs in each box, before its event loop

    void ShowMessage(const QString& text, const QString& title) override;
    int AskMessage(const QString& prompt, int code, const QString& title) override;
    fw::DialogAnswer AskDialog(const fw::MessageDialog& d) override;
    void Beep() override { ++beeps; }
    bool OpenUrl(const QString& url) override {
        urls << url;
        return opensUrls;
    }

private:
    void Show(QMessageBox& box);
};

// Every test gets its own preferences folder and the recording services; what start-up made and the
// windows left open are destroyed, and the game state reset, when it ends.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString ConfigDir() const { return config_.path(); }
    QString ConfigFile(const QString& name) const { return config_.filePath(name); }
    // Writes stub scripts (bodies for /bin/sh) into a fresh bundle folder and points the runner at it.
    // Scripts not named print nothing and succeed.
    void UseStubScripts(const std::map<int, QString>& bodies);
    // Where the stub scripts log their runs ("<number> <args>" per line), oldest first.
    QStringList ScriptLog() const;
    // Processes pending events, including deferred deletions, without waiting.
    static void ProcessEvents();
    // Chooses the main window's menu item of that name, and processes the events it posts.
    static void Choose(const char* item);
    // Runs the event loop, as main does, until the program quits: its code then, or 1 when it has not
    // within 30 s. -1 at once without a handler for SIGTERM, which would end the test program.
    static int RunUntilQuit();

    RecordingServices* services = nullptr;

private:
    QTemporaryDir config_, scripts_;
    QByteArray oldConfig_, oldState_;
    std::unique_ptr<fw::UserServices> previous_;
};

// Whether the control shows whenever its window does (the program has not hidden it).
inline bool Shown(const QWidget* control) {
    return !control->isHidden();
}
// Ends the period of a running one-shot timer now: it stops and its timeout fires.
void FireNow(QTimer& timer);
QString ReadFile(const QString& path);
// The disposition of a signal, as a handler's address.
sighandler_t HandlerOf(int number);
void WriteFile(const QString& path, const QByteArray& bytes);

} // namespace testing_support
