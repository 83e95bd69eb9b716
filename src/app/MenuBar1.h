// The program's menu bar: File, Edit, Scores, Check for Update and ZDN Help. Built once and shared by the
// application and the main window.
#pragma once

#include "framework/MenuBar.h"

class MenuBar1 : public fw::MenuBar {
public:
    // The one menu bar of the run, built on first use.
    static MenuBar1& instance();
    // Drops the menu bar at shutdown.
    static void Release();
    static bool Exists();

private:
    MenuBar1();
    void Untitled0(); // File
    void Untitled1(); // Edit
    void Untitled2(); // Scores
    void Untitled3(); // Check for Update
    void Untitled4(); // ZDN Help
};
