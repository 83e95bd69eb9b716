// Everything that would block a test or reach outside the program goes through one replaceable
// service: modal message boxes, the three-button dialog, the alert sound and opening links.
#pragma once

#include <QString>
#include <memory>

class QMessageBox;

namespace fw {

// A three-button question: the action button, an optional alternate and an optional cancel button.
struct MessageDialog {
    enum IconKind { IconNote = 0, IconCaution = 1, IconStop = 2, IconQuestion = 3 };
    struct Button {
        QString Caption;
        bool Visible = false;
    };

    QString Title;
    QString Message;
    QString Explanation;
    int Icon = IconNote;
    Button ActionButton{QStringLiteral("OK"), true};
    Button AlternateActionButton;
    Button CancelButton{QStringLiteral("Cancel"), false};
};

// Buttons of the two-button box (code 305: OK and Cancel, warning icon, Cancel the default).
enum MsgBoxResult { MsgBoxOK = 1, MsgBoxCancel = 2 };

// What the user pressed in a MessageDialog.
enum class DialogAnswer { Action, Alternate, Cancel };

class UserServices {
public:
    virtual ~UserServices() = default;
    // A modal box with the text and one OK button.
    virtual void ShowMessage(const QString& text, const QString& title) = 0;
    // A modal box with buttons chosen by a code; returns the pressed button's code (1 OK, 2 Cancel).
    virtual int AskMessage(const QString& prompt, int buttonCode, const QString& title) = 0;
    virtual DialogAnswer AskDialog(const MessageDialog& dialog) = 0;
    virtual void Beep() = 0;
    // Hands the address to the desktop; false when no program opened it.
    virtual bool OpenUrl(const QString& url) = 0;
};

// The boxes that the services show, built as the user sees them. Every text in them is plain text: what
// comes from a server, a script or a file is never read as markup. A box never grows taller than its
// screen: a text too long for it shows its beginning and says how much of it Show Details... shows in a
// pane that scrolls (all of it, up to a bound). The buttons are named by their roles: "ok", "cancel"
// (AskMessage); "action", "alternate", "cancel" (AskDialog).
std::unique_ptr<QMessageBox> NewMessageBox(const QString& text, const QString& title, int buttonCode = 0);
std::unique_ptr<QMessageBox> NewDialogBox(const MessageDialog& dialog);

UserServices& Services();
// Replaces the service (tests install a recording double); returns the previous one.
std::unique_ptr<UserServices> SetServices(std::unique_ptr<UserServices> services);

// The framework's calls, as the program names them.
void MsgBox(const QString& text);
int MsgBox(const QString& prompt, int buttonCode, const QString& title);
void Beep();
// Opens the address in the user's browser or mail program, and says so when none can open it.
void ShowURL(const QString& url);

} // namespace fw
