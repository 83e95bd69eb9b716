// Builds a window and its controls from the layout tables, as plain Qt widgets: Label -> QLabel,
// PushButton -> QPushButton, Listbox -> fw::Listbox, ComboBox -> QComboBox (editable), TextField ->
// QLineEdit, TextArea -> QPlainTextEdit, ProgressBar -> QProgressBar, DisclosureTriangle -> QToolButton
// (an arrow pointing down while open), Separator -> QFrame. A window binds its members once, by the
// names the table gives them: `QPushButton* const Enter = form_.take<QPushButton>("Enter");`.
#pragma once

#include "framework/Errors.h"
#include "framework/Layout.h"

#include <QWidget>
#include <span>

namespace fw {

class Form {
public:
    // Gives the window its title and frame, and builds the controls on its content area: the window
    // itself, or a main window's central widget (the menu bar lies outside it).
    Form(QWidget* window, const WindowSpec& shape, std::span<const ControlSpec> controls);
    // Cuts the controls' connections to the window: the form goes with the window's members, before Qt
    // takes the controls apart, and a control's last signals (an edit that ends as its focus goes) must not
    // reach the handlers of a window that is already half gone.
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The control of that name as its Qt class; raises a nil-object error when there is none.
    template <class T> T* take(const char* name) const {
        auto* widget =
            qobject_cast<T*>(content_->findChild<QWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly));
        if (!widget)
            throw NilObjectError(QStringLiteral("control %1").arg(QLatin1String(name)));
        return widget;
    }

private:
    void setTabOrder(std::span<const ControlSpec> controls) const;

    QWidget* window_;
    QWidget* content_;
};

} // namespace fw
