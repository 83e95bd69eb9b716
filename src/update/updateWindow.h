// The update window: fetches the version document from the maker's web host, tells whether the running
// version is current and otherwise offers the new version.
#pragma once

#include "framework/Controls.h"
#include "framework/HTTPSocket.h"
#include "framework/Window.h"

#include <QVersionNumber>
#include <span>

class updateWindow : public fw::Window {
public:
    static updateWindow& instance() { return fw::Instance<updateWindow>(); }

    // The maker's web site; the version document lies below it.
    static constexpr const char* kWebSite = "http://www.zandolin.example";
    static constexpr const char* kDocumentPath = "/Updates/zandolin.xml";
    // The site that later update windows use (tests point it at their own server); an empty text
    // restores the maker's site.
    static void SetWebSite(const QString& site);
    static QString WebSite();
    static QString DocumentURL() { return WebSite() + QLatin1String(kDocumentPath); }

    fw::Label& StaticText1() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText1")); }
    fw::ProgressBar& ProgressBar1() const {
        return ControlNamed<fw::ProgressBar>(QStringLiteral("ProgressBar1"));
    }
    fw::HTTPSocket& hp() { return hp_; }
    fw::PushButton& PushButton1() const {
        return ControlNamed<fw::PushButton>(QStringLiteral("PushButton1"));
    }

    void hp_PageReceived(const QString& url, int status, const fw::InternetHeaders& headers,
                         const QString& body);
    void hp_Error(int code);
    void PushButton1_Action();

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

    static std::span<const fw::ControlSpec> LayoutTable();

protected:
    void Event_Open() override;
    void Event_Close() override;

private:
    friend updateWindow& fw::Instance<updateWindow>();
    updateWindow();

    fw::HTTPSocket hp_;
};
