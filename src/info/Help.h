// The help window: the help text in one editable text area, spell-checked as the user types. Edits are
// never kept; a new window shows the stored text again.
#pragma once

#include "framework/Form.h"
#include "framework/Windows.h"

#include <QDialog>
#include <QPlainTextEdit>

class Help : public QDialog {
    Q_OBJECT
    const fw::Form form_;

public:
    static Help& instance();

    QPlainTextEdit* const EditField1 = form_.take<QPlainTextEdit>("EditField1"); // the help text

    // The dictionary that later help windows use (tests ask for one that is not installed); an empty
    // text restores American English, the language of the help text.
    static void SetSpellingLanguage(const QString& language);

private:
    friend Help& fw::Instance<Help>();
    Help();
};
