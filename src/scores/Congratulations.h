// The name-entry window: takes the player's name after a qualifying test and files the entry at its rank.
#pragma once

#include "framework/Form.h"
#include "framework/Windows.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class Congratulations : public QDialog {
    Q_OBJECT
    const fw::Form form_;

public:
    static Congratulations& instance();

    QLabel* const StaticText1 = form_.take<QLabel>("StaticText1"); // "Congratulations! ..."
    QLabel* const StaticText2 = form_.take<QLabel>("StaticText2"); // "Name:"
    QLineEdit* const NameField = form_.take<QLineEdit>("NameField");
    QPushButton* const Enter = form_.take<QPushButton>("Enter");

    void NameField_TextChange();
    void Enter_Action();
    void Event_Open();

private:
    friend Congratulations& fw::Instance<Congratulations>();
    Congratulations();
};
