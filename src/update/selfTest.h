// The version window: shows the running version and starts the update check.
#pragma once

#include "framework/Form.h"
#include "framework/Windows.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

class selfTest : public QDialog {
    Q_OBJECT
    const fw::Form form_;

public:
    static selfTest& instance();

    QLabel* const StaticText1 = form_.take<QLabel>("StaticText1");           // "Version:"
    QLabel* const StaticText2 = form_.take<QLabel>("StaticText2");           // the running version
    QPushButton* const PushButton1 = form_.take<QPushButton>("PushButton1"); // Check for Updates

    void StaticText2_Open();
    void PushButton1_Action();

private:
    friend selfTest& fw::Instance<selfTest>();
    selfTest();
};
