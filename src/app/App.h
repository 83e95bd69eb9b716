// The application object: its Open and Close events and the four menu commands.
#pragma once

#include "framework/Application.h"

class App : public fw::Application {
public:
    // The registered application object; raises a nil-object error before start-up has registered it.
    static App& instance();

    // Menu commands, bound by item name at start-up; each returns False.
    bool _ScoresShow_Action();
    bool _CheckforUpdateCheckNow_Action();
    bool _ZDNHelpHelp_Action();
    bool _ZDNHelpAbout_Action();

protected:
    void Event_Open() override;
    void Event_Close() override;
};
