#include "support/TestSupport.h"

#include "framework/ScriptRunner.h"
#include "framework/Windows.h"
#include "quiz/Module1.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace testing_support {

void AppTest::SetUp() {
    ASSERT_TRUE(config_.isValid());
    oldConfig_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
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
    fw::DestroyAllWindows();
    ProcessEvents();
    Module1::Release();
    fw::SetServices(std::move(previous_));
    services = nullptr;
    if (oldConfig_.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig_);
}

void AppTest::UseStubScripts(const std::map<int, QString>& bodies) {
    ASSERT_TRUE(scripts_.isValid());
    const QString log = scripts_.filePath(QStringLiteral("runs.log"));
    for (int number = 168; number <= 174; ++number) {
        const auto it = bodies.find(number);
        const QString body = it == bodies.end() ? QString() : it->second;
        const QString path = scripts_.filePath(QString::number(number));
        WriteFile(
            path,
            QStringLiteral("#!/bin/sh\necho \"%1 $*\" >> '%2'\n%3\n").arg(number).arg(log, body).toUtf8());
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeUser);
    }
    fw::ScriptRunner::SetBundleDir(scripts_.path());
}

QStringList AppTest::ScriptLog() const {
    QStringList lines = ReadFile(scripts_.filePath(QStringLiteral("runs.log"))).split(QLatin1Char('\n'));
    lines.removeAll(QString());
    for (QString& line : lines)
        line = line.trimmed();
    return lines;
}

void AppTest::ProcessEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void FireNow(QTimer& timer) {
    ASSERT_TRUE(timer.isActive());
    timer.stop();
    QMetaObject::invokeMethod(&timer, "timeout");
}

QString ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

} // namespace testing_support
