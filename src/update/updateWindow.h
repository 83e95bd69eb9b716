// The update window: fetches the version document from the maker's web host, tells whether the running
// version is current and otherwise offers the new version.
#pragma once

#include "framework/Form.h"
#include "framework/HTTPSocket.h"
#include "framework/Windows.h"

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVersionNumber>

class updateWindow : public QDialog {
    Q_OBJECT
    const fw::Form form_;

public:
    static updateWindow& instance();

    // The maker's web site; the version document lies below it.
    static constexpr const char* kWebSite = "http://www.zandolin.example";
    static constexpr const char* kDocumentPath = "/Updates/zandolin.xml";
    // The site that later update windows use (tests point it at their own server); an empty text
    // restores the maker's site.
    static void SetWebSite(const QString& site);
    static QString WebSite();
    static QString DocumentURL() { return WebSite() + QLatin1String(kDocumentPath); }

    QLabel* const StaticText1 = form_.take<QLabel>("StaticText1"); // what the check has found
    QProgressBar* const ProgressBar1 = form_.take<QProgressBar>("ProgressBar1");
    fw::HTTPSocket& hp() { return hp_; }
    QPushButton* const PushButton1 = form_.take<QPushButton>("PushButton1"); // Cancel

    void hp_PageReceived(const QString& url, int status, const fw::InternetHeaders& headers,
                         const QString& body);
    void hp_Error(int code);
    void PushButton1_Action();
    void Event_Open();

    static QString startTag(const QString& name);
    static QString endTag(const QString& name);
    // The raw text between the element's first start tag and the next end tag.
    static QString returnValue(const QString& document, const QString& name);
    void askUpgrade(const QString& version, const QString& description, const QString& downloadURL,
                    bool free);

    // The text of the page's CurrentVersion element without the blanks around it, or an empty text when
    // the page is no version document (an error status, or no such element).
    static QString DocumentVersion(int status, const QString& body);
    // The version that the text names, compared by its numbers (01.04.02 is 1.4.2, and so is 1.4.2.0);
    // null unless the whole text is a version number.
    static QVersionNumber VersionNumber(const QString& text);
    // Only web addresses are handed to the browser.
    static bool IsWebAddress(const QString& url);

protected:
    // Escape presses Cancel.
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend updateWindow& fw::Instance<updateWindow>();
    updateWindow();

    fw::HTTPSocket hp_;
};
