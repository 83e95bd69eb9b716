#include "update/updateWindow.h"

#include "framework/Services.h"
#include "update/selfTest.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QUrl>

using A = fw::Align;
using K = fw::Kind;

namespace {

// clang-format off
constexpr fw::WindowSpec kWindow{"Update", 300, 120, fw::WindowSpec::MovableModal,
                                 /*close*/ true, /*minimize*/ true, /*maximize*/ false, /*resizeable*/ false,
                                 /*visible*/ true};

constexpr fw::ControlSpec kControls[] = {
//   name            kind            left top width h   text                       font      size bold   align    colour     visible default tab options
    {"StaticText1",  K::Label,       20,  19, 266,  20, "Checking for updates...", "System", 0,   false, A::Left, "#000000", true,   false,  0},
    {"ProgressBar1", K::ProgressBar, 20,  46, 260,  12, "",                        "System", 0,   false, A::Left, "",        true,   false,  1,  {.maximum = 100}},
    {"PushButton1",  K::PushButton,  208, 80, 72,   20, "Cancel",                  "System", 0,   false, A::Left, "",        true,   true,   1},
};
// clang-format on

QString& webSite() {
    static QString site = QString::fromLatin1(updateWindow::kWebSite);
    return site;
}

} // namespace

void updateWindow::SetWebSite(const QString& site) {
    webSite() = site.isEmpty() ? QString::fromLatin1(kWebSite) : site;
}

QString updateWindow::WebSite() {
    return webSite();
}

updateWindow& updateWindow::instance() {
    return fw::Instance<updateWindow>();
}

updateWindow::updateWindow() : form_(this, kWindow, kControls) {
    fw::on(&hp_, &fw::HTTPSocket::pageReceived, this, &updateWindow::hp_PageReceived);
    fw::on(&hp_, &fw::HTTPSocket::error, this, &updateWindow::hp_Error);
    fw::on(PushButton1, &QPushButton::clicked, this, &updateWindow::PushButton1_Action);
}

void updateWindow::Event_Open() {
    ProgressBar1->setMaximum(0);
    hp().Get(DocumentURL());
    if (selfTest* version = fw::OpenInstance<selfTest>())
        version->close();
}

void updateWindow::reject() {
    PushButton1->click();
}

void updateWindow::closeEvent(QCloseEvent* event) {
    // A page that arrives after the window has closed must not start a dialog for it.
    hp().Disconnect();
    event->accept();
}

QString updateWindow::startTag(const QString& name) {
    return QLatin1String("<") + name + QLatin1String(">");
}

QString updateWindow::endTag(const QString& name) {
    return QLatin1String("</") + name + QLatin1String(">");
}

QString updateWindow::returnValue(const QString& document, const QString& name) {
    // Without a start tag the end tag is looked for from the start tag's length on.
    const qsizetype p = document.indexOf(startTag(name)) + startTag(name).size();
    const qsizetype e = document.indexOf(endTag(name), p);
    return e > p ? document.mid(p, e - p) : QString();
}

QString updateWindow::DocumentVersion(int status, const QString& body) {
    const QString name = QStringLiteral("CurrentVersion");
    const qsizetype start = body.indexOf(startTag(name));
    if (status >= 400 || start < 0 || body.indexOf(endTag(name), start + startTag(name).size()) < 0)
        return QString();
    return returnValue(body, name).trimmed();
}

QVersionNumber updateWindow::VersionNumber(const QString& text) {
    qsizetype end = 0;
    const QVersionNumber number = QVersionNumber::fromString(text, &end);
    return end == text.size() ? number.normalized() : QVersionNumber();
}

void updateWindow::hp_PageReceived(const QString&, int status, const fw::InternetHeaders&,
                                   const QString& body) {
    // An error page, a proxy's page or no page at all names no version: the check has failed.
    const QString version = DocumentVersion(status, body);
    const QVersionNumber offered = VersionNumber(version);
    if (offered.isNull()) {
        hp_Error(status);
        return;
    }
    const QString description = returnValue(body, QStringLiteral("Description"));
    const bool free = returnValue(body, QStringLiteral("Free")) == QLatin1String("Yes");
    const QString downloadURL = returnValue(body, QStringLiteral("DownloadURLOSX"));
    ProgressBar1->setVisible(false);
    const QVersionNumber running = VersionNumber(QCoreApplication::applicationVersion());
    if (offered <= running) {
        StaticText1->setText(QStringLiteral("This version is current."));
        StaticText1->repaint();
        fw::MsgBox(QStringLiteral("You are using the current version. No update is available."));
        close();
    } else {
        askUpgrade(version, description, downloadURL, free);
    }
}

void updateWindow::hp_Error(int code) {
    fw::Beep();
    fw::MsgBox(QStringLiteral("There was a communication error ") +
               QStringLiteral("with the website. Please try ") + QStringLiteral("again later. (Code: ") +
               QString::number(code) + QStringLiteral(")"));
    close();
}

void updateWindow::PushButton1_Action() {
    close();
}

bool updateWindow::IsWebAddress(const QString& url) {
    const QUrl parsed(url, QUrl::StrictMode);
    const QString scheme = parsed.scheme().toLower();
    return parsed.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !parsed.host().isEmpty();
}

void updateWindow::askUpgrade(const QString& version, const QString& description, const QString& downloadURL,
                              bool free) {
    fw::MessageDialog d;
    d.Title = QStringLiteral("New version available!");
    d.Message = QStringLiteral("Version ") + version + QStringLiteral(" is now available. ");
    d.Message += QStringLiteral("(You are using version ") + QCoreApplication::applicationVersion() +
                 QStringLiteral(".) ");
    d.Message +=
        free ? QStringLiteral("This is a free upgrade. ") : QStringLiteral("This is a paid upgrade. ");
    d.Message += QStringLiteral("Would you like to automatically download ");
    d.Message += free ? QStringLiteral("this update (using your web browser)?")
                      : QStringLiteral("the trial version (using your web browser)?");
    d.Explanation = description;
    d.CancelButton.Visible = true;
    d.AlternateActionButton = {QStringLiteral("Go to Website"), true};
    d.Icon = fw::MessageDialog::IconQuestion;

    const fw::DialogAnswer pressed = fw::Services().AskDialog(d);
    if (pressed == fw::DialogAnswer::Cancel) {
        close();
    } else if (pressed == fw::DialogAnswer::Action) {
        // The address comes from the network: anything but a web address (a script or a local file,
        // say) is refused rather than handed to the system.
        if (IsWebAddress(downloadURL))
            fw::ShowURL(downloadURL);
        else
            fw::MsgBox(QStringLiteral("The download address of the new version is not valid."));
        close();
    } else {
        fw::ShowURL(WebSite());
    }
}
