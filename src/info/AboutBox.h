// The About box: the product's name, the running version, the credits, and links to mail the author and
// to visit the maker's web site.
#pragma once

#include "framework/Form.h"
#include "framework/Windows.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

class AboutBox : public QDialog {
    Q_OBJECT
    const fw::Form form_;

public:
    static AboutBox& instance();

    // Where the two buttons lead; fictional on purpose, so nothing reaches a real party.
    static constexpr const char* kAuthorMailLink = "mailto:author@zandolin.example";
    static constexpr const char* kWebSite = "http://www.zandolin.example";

    // Controls, in layout order.
    QPushButton* const PushButton1 = form_.take<QPushButton>("PushButton1"); // Email Author
    QPushButton* const PushButton2 = form_.take<QPushButton>("PushButton2"); // Visit Web Site
    QLabel* const StaticText2 = form_.take<QLabel>("StaticText2");           // the credits
    QLabel* const StaticText1 = form_.take<QLabel>("StaticText1");           // the product's name
    QLabel* const StaticText3 = form_.take<QLabel>("StaticText3");           // "Version:"
    QLabel* const StaticText4 = form_.take<QLabel>("StaticText4");           // the running version

    // Handlers.
    void PushButton1_Action();
    void PushButton2_Action();
    void StaticText4_Open();

private:
    friend AboutBox& fw::Instance<AboutBox>();
    AboutBox();
};
