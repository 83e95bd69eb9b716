#include "framework/Services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace fw {

namespace {

QWidget* ActiveParent() {
    return QApplication::activeWindow();
}

class QtServices final : public UserServices {
public:
    void ShowMessage(const QString& text, const QString& title) override {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, ActiveParent());
        box.exec();
    }

    int AskMessage(const QString& prompt, int buttonCode, const QString& title) override {
        // The button code adds a buttons part (0..5), an icon part (16, 32, 48, 64) and 256 when the
        // second button is the default; only the combinations the program uses are supported.
        const int buttons = buttonCode & 7;
        const int icon = buttonCode & 0x70;
        QMessageBox box(ActiveParent());
        box.setWindowTitle(title);
        box.setText(prompt);
        box.setIcon(icon == 48   ? QMessageBox::Warning
                    : icon == 32 ? QMessageBox::Question
                    : icon == 16 ? QMessageBox::Critical
                    : icon == 64 ? QMessageBox::Information
                                 : QMessageBox::NoIcon);
        if (buttons == 1) {
            auto* ok = box.addButton(QMessageBox::Ok);
            auto* cancel = box.addButton(QMessageBox::Cancel);
            box.setDefaultButton((buttonCode & 256) ? cancel : ok);
            box.setEscapeButton(cancel);
            box.exec();
            return box.clickedButton() == ok ? MsgBoxOK : MsgBoxCancel;
        }
        box.addButton(QMessageBox::Ok);
        box.exec();
        return MsgBoxOK;
    }

    DialogAnswer AskDialog(const MessageDialog& dialog) override {
        QMessageBox box(ActiveParent());
        box.setWindowTitle(dialog.Title);
        box.setText(dialog.Message);
        box.setInformativeText(dialog.Explanation);
        box.setIcon(dialog.Icon == MessageDialog::IconQuestion  ? QMessageBox::Question
                    : dialog.Icon == MessageDialog::IconCaution ? QMessageBox::Warning
                    : dialog.Icon == MessageDialog::IconStop    ? QMessageBox::Critical
                                                                : QMessageBox::Information);
        auto caption = [](const MessageDialog::Button& b, const QString& fallback) {
            return b.Caption.isEmpty() ? fallback : b.Caption;
        };
        auto* action =
            box.addButton(caption(dialog.ActionButton, QStringLiteral("OK")), QMessageBox::AcceptRole);
        QAbstractButton* alternate = nullptr;
        QAbstractButton* cancel = nullptr;
        if (dialog.AlternateActionButton.Visible)
            alternate = box.addButton(dialog.AlternateActionButton.Caption, QMessageBox::ActionRole);
        if (dialog.CancelButton.Visible) {
            cancel = box.addButton(caption(dialog.CancelButton, QStringLiteral("Cancel")),
                                   QMessageBox::RejectRole);
            box.setEscapeButton(cancel);
        }
        box.setDefaultButton(qobject_cast<QPushButton*>(action));
        box.exec();
        if (box.clickedButton() == alternate && alternate)
            return DialogAnswer::Alternate;
        if (box.clickedButton() == action)
            return DialogAnswer::Action;
        return DialogAnswer::Cancel;
    }

    void Beep() override { QApplication::beep(); }

    bool OpenUrl(const QString& url) override { return QDesktopServices::openUrl(QUrl(url)); }
};

std::unique_ptr<UserServices>& Current() {
    static std::unique_ptr<UserServices> current = std::make_unique<QtServices>();
    return current;
}

} // namespace

UserServices& Services() {
    return *Current();
}

std::unique_ptr<UserServices> SetServices(std::unique_ptr<UserServices> services) {
    auto previous = std::move(Current());
    Current() = services ? std::move(services) : std::make_unique<QtServices>();
    return previous;
}

void MsgBox(const QString& text) {
    Services().ShowMessage(text, QString());
}

int MsgBox(const QString& prompt, int buttonCode, const QString& title) {
    return Services().AskMessage(prompt, buttonCode, title);
}

void Beep() {
    Services().Beep();
}

void ShowURL(const QString& url) {
    if (!Services().OpenUrl(url))
        MsgBox(QStringLiteral("This address could not be opened:\n\n%1\n\nNo web browser or mail program on "
                              "this computer is set up to open it.")
                   .arg(url));
}

} // namespace fw
