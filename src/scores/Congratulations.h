// The name-entry window: takes the player's name after a qualifying test. The quiz that opens it puts the
// name last entered in the field and files the score under the name it reports.
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

signals:
    // Enter was pressed: the name typed, without TABs or line ends.
    void nameEntered(const QString& name);

private:
    friend Congratulations& fw::Instance<Congratulations>();
    Congratulations();
};
