// The application object: its Open and Close events and the four menu commands, which the menu bar's
// actions are connected to.
#pragma once

#include <QObject>

class App : public QObject {
    Q_OBJECT
public:
    // The application's Open event, once at start-up, and its Close event, once when it quits.
    void open();
    void close();

    void ScoresShow_Action();
    void CheckforUpdateCheckNow_Action();
    void ZDNHelpHelp_Action();
    void ZDNHelpAbout_Action();

private:
    bool closed_ = false;
};
