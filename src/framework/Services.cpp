#include "framework/Services.h"

#include "framework/Windows.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QUrl>
#include <algorithm>

namespace fw {

namespace {

// A text longer than this shows its beginning, and all of it under Show Details...; ordinary messages
// and descriptions are far shorter.
constexpr int kLongLines = 30;
constexpr int kLongCharacters = 3000;
// The beginning shown of a long text.
constexpr int kBeginningLines = 10;
constexpr int kBeginningCharacters = 1000;
// The details pane holds no more than this: laying out megabytes of text would freeze the box.
constexpr int kMostDetails = 100000;

// The note under a shortened text: how much of it the details hold (they stop at kMostDetails).
QString Note(qsizetype there, qsizetype size) {
    const QString note = QStringLiteral("(Too long to show here in full: Show Details... shows %1.)");
    if (there == size)
        return note.arg(QStringLiteral("all of it"));
    if (there == 0)
        return note.arg(QStringLiteral("none of it"));
    return note.arg(QStringLiteral("its first %1 characters").arg(QLocale(QLocale::English).toString(there)));
}

bool IsLong(const QString& text) {
    return text.size() > kLongCharacters || text.count(QLatin1Char('\n')) >= kLongLines;
}

QString Beginning(const QString& text) {
    qsizetype end = 0;
    for (int line = 0; line < kBeginningLines && end >= 0; ++line)
        end = text.indexOf(QLatin1Char('\n'), end + (line > 0));
    const qsizetype length = std::min<qsizetype>(end < 0 ? text.size() : end, kBeginningCharacters);
    return text.left(length) + QStringLiteral("\n...\n");
}

QString Details(const QString& text) {
    if (text.size() <= kMostDetails)
        return text;
    return text.left(kMostDetails) +
           QStringLiteral("\n... (%1 more characters are not shown)").arg(text.size() - kMostDetails);
}

// Keeps its texts plain and itself on the screen.
class ScreenBoundBox final : public QMessageBox {
public:
    explicit ScreenBoundBox(const QString& title) : QMessageBox(QApplication::activeWindow()) {
        setWindowTitle(title);
    }

    // Sets the texts, each shortened when long, the long ones whole in the details.
    void SetTexts(const QString& text, const QString& explanation) {
        text_ = text;
        explanation_ = explanation;
        Show(IsLong(text) ? Shown::Beginning : Shown::Whole,
             IsLong(explanation) ? Shown::Beginning : Shown::Whole);
    }

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event); // sizes the box for its texts
        FitTheScreen();
    }

private:
    // The box's own labels guess rich text from the text (setTextFormat reaches only the first).
    void KeepPlain() {
        for (QLabel* label : findChildren<QLabel*>())
            label->setTextFormat(Qt::PlainText);
    }

    // On a screen too small for the box even so, the texts give way to the note, explanation first.
    void FitTheScreen() {
        const QRect area = screen()->availableGeometry();
        const auto fits = [&] {
            // Room for the details pane, which opens below the texts.
            auto* details = findChild<QTextEdit*>();
            const int reserve = details ? details->maximumHeight() + 3 * fontMetrics().lineSpacing() : 0;
            return frameGeometry().height() + reserve <= area.height();
        };
        if (!fits() && !explanation_.isEmpty())
            Show(IsLong(text_) ? Shown::Beginning : Shown::Whole, Shown::Note);
        if (!fits() && !text_.isEmpty())
            Show(Shown::Note, Shown::Note);
        move(FitOnScreen(frameGeometry().topLeft(), frameGeometry().size(), area));
    }

    // How the box shows a text: whole, its beginning and the note, or the note alone.
    enum class Shown { Whole, Beginning, Note };

    // Shows the texts so. The details hold the shortened ones (the text, a blank line and the explanation
    // when both are) up to kMostDetails characters, and each one's note says how much of it they hold.
    void Show(Shown text, Shown explanation) {
        QStringList details;
        qsizetype start = 0; // where the next text starts in the details
        const auto shown = [&](const QString& whole, Shown how) -> QString {
            if (how == Shown::Whole || whole.isEmpty())
                return whole;
            const qsizetype there = std::clamp<qsizetype>(kMostDetails - start, 0, whole.size());
            start += whole.size() + 2;
            details << whole;
            return (how == Shown::Note ? QString() : Beginning(whole)) + Note(there, whole.size());
        };
        setText(shown(text_, text));
        setInformativeText(shown(explanation_, explanation));
        if (!details.isEmpty())
            setDetailedText(Details(details.join(QStringLiteral("\n\n"))));
        KeepPlain();
    }

    QString text_, explanation_;
};

QMessageBox::Icon IconOf(int icon) {
    switch (icon) {
    case MessageDialog::IconQuestion:
        return QMessageBox::Question;
    case MessageDialog::IconCaution:
        return QMessageBox::Warning;
    case MessageDialog::IconStop:
        return QMessageBox::Critical;
    default:
        return QMessageBox::Information;
    }
}

QAbstractButton* AddButton(QMessageBox& box, const QString& name, const QString& caption,
                           QMessageBox::ButtonRole role) {
    QPushButton* button = box.addButton(caption, role);
    button->setObjectName(name);
    return button;
}

QString PressedName(const QMessageBox& box) {
    return box.clickedButton() ? box.clickedButton()->objectName() : QString();
}

class QtServices final : public UserServices {
public:
    void ShowMessage(const QString& text, const QString& title) override {
        NewMessageBox(text, title)->exec();
    }

    int AskMessage(const QString& prompt, int buttonCode, const QString& title) override {
        const auto box = NewMessageBox(prompt, title, buttonCode);
        box->exec();
        // A box closed without an answer (by a quit) is no OK.
        return PressedName(*box) == QLatin1String("ok") ? MsgBoxOK : MsgBoxCancel;
    }

    DialogAnswer AskDialog(const MessageDialog& dialog) override {
        const auto box = NewDialogBox(dialog);
        box->exec();
        const QString pressed = PressedName(*box);
        return pressed == QLatin1String("alternate") ? DialogAnswer::Alternate
               : pressed == QLatin1String("action")  ? DialogAnswer::Action
                                                     : DialogAnswer::Cancel;
    }

    void Beep() override { QApplication::beep(); }

    bool OpenUrl(const QString& url) override { return QDesktopServices::openUrl(QUrl(url)); }
};

std::unique_ptr<UserServices>& Current() {
    static std::unique_ptr<UserServices> current = std::make_unique<QtServices>();
    return current;
}

} // namespace

std::unique_ptr<QMessageBox> NewMessageBox(const QString& text, const QString& title, int buttonCode) {
    // The button code adds a buttons part (0..5), an icon part (16, 32, 48, 64) and 256 when the second
    // button is the default; only the combinations the program uses are supported.
    auto box = std::make_unique<ScreenBoundBox>(title);
    box->SetTexts(text, QString());
    const int icon = buttonCode & 0x70;
    box->setIcon(icon == 48   ? QMessageBox::Warning
                 : icon == 32 ? QMessageBox::Question
                 : icon == 16 ? QMessageBox::Critical
                 : icon == 64 ? QMessageBox::Information
                              : QMessageBox::NoIcon);
    auto* ok = AddButton(*box, QStringLiteral("ok"), QStringLiteral("OK"), QMessageBox::AcceptRole);
    if ((buttonCode & 7) == 1) {
        auto* cancel =
            AddButton(*box, QStringLiteral("cancel"), QStringLiteral("Cancel"), QMessageBox::RejectRole);
        box->setDefaultButton(qobject_cast<QPushButton*>((buttonCode & 256) ? cancel : ok));
        box->setEscapeButton(cancel);
    }
    return box;
}

std::unique_ptr<QMessageBox> NewDialogBox(const MessageDialog& dialog) {
    auto box = std::make_unique<ScreenBoundBox>(dialog.Title);
    box->SetTexts(dialog.Message, dialog.Explanation);
    box->setIcon(IconOf(dialog.Icon));
    auto caption = [](const MessageDialog::Button& b, const QString& fallback) {
        return b.Caption.isEmpty() ? fallback : b.Caption;
    };
    auto* action = AddButton(*box, QStringLiteral("action"),
                             caption(dialog.ActionButton, QStringLiteral("OK")), QMessageBox::AcceptRole);
    if (dialog.AlternateActionButton.Visible)
        AddButton(*box, QStringLiteral("alternate"), dialog.AlternateActionButton.Caption,
                  QMessageBox::ActionRole);
    if (dialog.CancelButton.Visible)
        box->setEscapeButton(AddButton(*box, QStringLiteral("cancel"),
                                       caption(dialog.CancelButton, QStringLiteral("Cancel")),
                                       QMessageBox::RejectRole));
    box->setDefaultButton(qobject_cast<QPushButton*>(action));
    return box;
}

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
