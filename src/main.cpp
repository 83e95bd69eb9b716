#include "app/Startup.h"

#include <QApplication>
#include <QIcon>

#ifndef ZANDOLIN_VERSION
#error "ZANDOLIN_VERSION comes from the build"
#endif

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zandolin"));
    QApplication::setApplicationVersion(QStringLiteral(ZANDOLIN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("zandolin"));
    // The icon theme's entry, else the installed picture beside the binary's share folder; an
    // uninstalled build keeps the default icon.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("zandolin"),
                         QIcon(QApplication::applicationDirPath() +
                               QStringLiteral("/../share/icons/hicolor/256x256/apps/zandolin.png"))));
    // Only the main window's close quits; the other windows come and go.
    QApplication::setQuitOnLastWindowClosed(false);
    const std::optional<int> ended = Startup::Begin();
    const int code = ended ? *ended : QApplication::exec();
    Startup::End();
    return code;
}
