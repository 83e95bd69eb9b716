#include "framework/MessageDialog.h"

#include "framework/Services.h"

namespace fw {

MessageDialog::MessageDialog() {
    action_.Caption = QStringLiteral("OK");
    action_.Visible = true;
    cancel_.Caption = QStringLiteral("Cancel");
}

MessageDialogButton* MessageDialog::ShowModal() {
    switch (Services().AskDialog(*this)) {
    case DialogAnswer::Action:
        return &action_;
    case DialogAnswer::Alternate:
        return &alternate_;
    case DialogAnswer::Cancel:
        break;
    }
    return &cancel_;
}

} // namespace fw
