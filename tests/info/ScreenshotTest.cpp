// Renders each window to a PNG so its look can be checked by eye. Runs only when
// ZANDOLIN_SCREENSHOT_DIR names the folder for the pictures (tools/screenshots.sh sets it).
#include "app/App.h"
#include "info/AboutBox.h"
#include "info/Help.h"
#include "quiz/Window1.h"
#include "scores/GameScores.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>
#include <cstdio>

using testing_support::AppTest;

namespace {

class Screenshots : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        folder_ = qEnvironmentVariable("ZANDOLIN_SCREENSHOT_DIR");
        if (folder_.isEmpty())
            GTEST_SKIP() << "set ZANDOLIN_SCREENSHOT_DIR to render the windows";
        ASSERT_TRUE(QDir().mkpath(folder_));
        app_.Register();
    }

    void Save(const fw::Window& window, const QString& name) {
        ProcessEvents();
        const QPixmap picture = window.Widget()->grab();
        ASSERT_FALSE(picture.isNull()) << name.toStdString();
        const QString path = QDir(folder_).absoluteFilePath(name + QStringLiteral(".png"));
        ASSERT_TRUE(picture.save(path, "PNG")) << path.toStdString();
        std::printf("%s\n", qPrintable(path));
    }

    App app_;
    QString folder_;
};

} // namespace

TEST_F(Screenshots, EveryWindow) {
    UseStubScripts({{172, "printf 'Library,Rock Classics,Jazz Evenings,Road Trip'"}});
    Save(Window1::instance(), QStringLiteral("Window1"));

    QByteArray scores = "Ada\t187\nGrace\t154\nLinus\t96\n";
    for (int i = 3; i < 10; ++i)
        scores += " \t0\n";
    testing_support::WriteFile(ConfigFile(QStringLiteral("zandolinscores.txt")), scores);
    GameScores::instance().Close();
    ProcessEvents();
    app_._ScoresShow_Action();
    Save(GameScores::instance(), QStringLiteral("GameScores"));

    app_._ZDNHelpAbout_Action();
    Save(AboutBox::instance(), QStringLiteral("AboutBox"));
    app_._ZDNHelpHelp_Action();
    Save(Help::instance(), QStringLiteral("Help"));
}
