// The test program's main, and the shared pieces of the tests.
#include "support/TestSupport.h"

#include "app/Startup.h"
#include "framework/ScriptRunner.h"
#include "quiz/Module1.h"
#include "quiz/Window1.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <csignal>

namespace testing_support {

void RecordingServices::Show(QMessageBox& box) {
    box.show();
    if (whileShown)
        whileShown();
    for (int pass = 0; pass < 3; ++pass) { // what one posts (a deferred deletion) runs within the box too
        QEventLoop loop;
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
    }
    ShownBox shown{box.windowTitle(), box.text(), box.informativeText(), box.detailedText(), {}};
    for (const QAbstractButton* button : box.buttons()) // the program's, not Show Details...
        if (QStringList{"ok", "cancel", "action", "alternate"}.contains(button->objectName()))
            shown.buttons << button->text() + (button == box.defaultButton() ? "*" : "");
    for (const QLabel* label : box.findChildren<QLabel*>())
        shown.plain = shown.plain && label->textFormat() == Qt::PlainText;
    shown.onScreen = box.screen()->availableGeometry().contains(box.frameGeometry());
    boxes.push_back(shown);
    box.hide();
}

void RecordingServices::ShowMessage(const QString& text, const QString& title) {
    messages << text;
    Show(*fw::NewMessageBox(text, title));
}

int RecordingServices::AskMessage(const QString& prompt, int code, const QString& title) {
    Show(*fw::NewMessageBox(prompt, title, code));
    return askAnswers.isEmpty() ? fw::MsgBoxCancel : askAnswers.takeFirst();
}

fw::DialogAnswer RecordingServices::AskDialog(const fw::MessageDialog& d) {
    Show(*fw::NewDialogBox(d));
    return dialogAnswers.isEmpty() ? fw::DialogAnswer::Cancel : dialogAnswers.takeFirst();
}

void AppTest::SetUp() {
    ASSERT_TRUE(config_.isValid() && scripts_.isValid());
    oldConfig_ = qgetenv("XDG_CONFIG_HOME");
    oldState_ = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    qputenv("XDG_STATE_HOME", config_.filePath("state").toUtf8()); // where the quiz locks its MPD
    auto recording = std::make_unique<RecordingServices>();
    services = recording.get();
    previous_ = fw::SetServices(std::move(recording));
    fw::ScriptRunner::SetBundleDir(QStringLiteral(ZANDOLIN_SCRIPTS_DIR));
    Module1::Release();
    Module1::Initialize();
    Module1::Points = Module1::Question = Module1::M = Module1::Z = 0;
    Module1::NewHighScoreFlag = Module1::SoundFlag = false;
}

void AppTest::TearDown() {
    Startup::End();
    ProcessEvents();
    fw::SetServices(std::move(previous_));
    services = nullptr;
    oldConfig_.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", oldConfig_);
    oldState_.isNull() ? qunsetenv("XDG_STATE_HOME") : qputenv("XDG_STATE_HOME", oldState_);
}

void AppTest::UseStubScripts(const std::map<int, QString>& bodies) {
    for (int number = 168; number <= 174; ++number) {
        const QString path = scripts_.filePath(QString::number(number));
        const QString body = bodies.contains(number) ? bodies.at(number) : QString();
        WriteFile(path, QStringLiteral("#!/bin/sh\necho \"%1 $*\" >> '%2/runs.log'\n%3\n")
                            .arg(number)
                            .arg(scripts_.path(), body)
                            .toUtf8());
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    }
    fw::ScriptRunner::SetBundleDir(scripts_.path());
}

QStringList AppTest::ScriptLog() const {
    QStringList lines;
    for (const QString& line : ReadFile(scripts_.filePath("runs.log")).split('\n', Qt::SkipEmptyParts))
        lines << line.trimmed();
    return lines;
}

void AppTest::ProcessEvents() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

void AppTest::Choose(const char* item) {
    Window1::instance().findChild<QAction*>(item)->trigger();
    ProcessEvents();
}

int AppTest::RunUntilQuit() {
    if (HandlerOf(SIGTERM) == SIG_DFL)
        return -1;
    QTimer stuck;
    stuck.callOnTimeout([] { QCoreApplication::exit(1); });
    stuck.start(30000);
    return QApplication::exec();
}

void FireNow(QTimer& timer) {
    ASSERT_TRUE(timer.isActive());
    timer.stop();
    QMetaObject::invokeMethod(&timer, "timeout");
}

sighandler_t HandlerOf(int number) {
    struct sigaction action {};
    sigaction(number, nullptr, &action);
    return action.sa_handler;
}

QString ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

} // namespace testing_support

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationVersion(ZANDOLIN_VERSION);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
