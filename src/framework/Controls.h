// The small control kinds: each holds its Qt widget and speaks the program's vocabulary.
#pragma once

#include "framework/Control.h"

#include <QString>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QToolButton;
class QWidget;

namespace fw {

class Label : public Control {
public:
    Label(const QString& name, QWidget* parent);
    QString Text() const;
    void Text(const QString& text);
    // 0 left, 1 centre, 2 right.
    void TextAlign(int align);
    void Multiline(bool multiline);

private:
    QLabel* label_;
};

class PushButton : public Control {
public:
    PushButton(const QString& name, QWidget* parent);
    QString Caption() const;
    void Caption(const QString& caption);
    // The button that Return presses on its window.
    bool Default() const { return default_; }
    void Default(bool isDefault);
    // The button that Escape presses on its window.
    bool Cancel() const { return cancel_; }
    void Cancel(bool isCancel);
    // Runs the Action event as a press would.
    void Push();

    std::function<void()> Action;

private:
    QPushButton* button_;
    bool default_ = false;
    bool cancel_ = false;
};

class ComboBox : public Control {
public:
    ComboBox(const QString& name, QWidget* parent);
    void AddRow(const QString& text);
    void DeleteAllRows();
    int ListCount() const;
    QString List(int row) const;
    int ListIndex() const;
    // -1 selects no row, which also empties the text.
    void ListIndex(int row);
    QString Text() const;
    void Text(const QString& text);

    // Raised when the user picks a row of the list.
    std::function<void()> Change;

private:
    QComboBox* combo_;
};

class TextField : public Control {
public:
    TextField(const QString& name, QWidget* parent);
    QString Text() const;
    void Text(const QString& text);
    // Only text matching the pattern can be typed; an empty pattern allows anything.
    void AllowOnly(const QString& pattern);

    std::function<void()> TextChange;

private:
    QLineEdit* edit_;
};

class TextArea : public Control {
public:
    TextArea(const QString& name, QWidget* parent);
    QString Text() const;
    void Text(const QString& text);
    void ReadOnly(bool readOnly);

    std::function<void()> TextChange;

private:
    QPlainTextEdit* edit_;
};

class ProgressBar : public Control {
public:
    ProgressBar(const QString& name, QWidget* parent);
    int Maximum() const;
    // 0 makes the bar indeterminate.
    void Maximum(int maximum);
    int Value() const;
    void Value(int value);

private:
    QProgressBar* bar_;
};

class DisclosureTriangle : public Control {
public:
    DisclosureTriangle(const QString& name, QWidget* parent);
    bool Value() const { return value_; }
    void Value(bool open);

    std::function<void()> Action;

private:
    QToolButton* button_;
    bool value_ = true;
};

class Separator : public Control {
public:
    Separator(const QString& name, QWidget* parent);
};

} // namespace fw
