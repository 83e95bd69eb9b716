// A three-button question dialog: the action button, an optional alternate and cancel button.
#pragma once

#include <QString>

namespace fw {

class MessageDialogButton {
public:
    QString Caption;
    bool Visible = false;
};

class MessageDialog {
public:
    enum IconKind { IconNote = 0, IconCaution = 1, IconStop = 2, IconQuestion = 3 };

    MessageDialog();

    QString Title;
    QString Message;
    QString Explanation;
    int Icon = IconNote;

    MessageDialogButton& ActionButton() { return action_; }
    MessageDialogButton& AlternateActionButton() { return alternate_; }
    MessageDialogButton& CancelButton() { return cancel_; }
    const MessageDialogButton& ActionButton() const { return action_; }
    const MessageDialogButton& AlternateActionButton() const { return alternate_; }
    const MessageDialogButton& CancelButton() const { return cancel_; }

    // Shows the dialog modally and returns the pressed button.
    MessageDialogButton* ShowModal();

private:
    MessageDialogButton action_;
    MessageDialogButton alternate_;
    MessageDialogButton cancel_;
};

} // namespace fw
