#include "framework/Controls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QToolButton>

namespace fw {

// --- Label

Label::Label(const QString& name, QWidget* parent) : Control(name, new QLabel(parent)) {
    label_ = static_cast<QLabel*>(Widget());
    label_->setTextFormat(Qt::PlainText);
    label_->setFocusPolicy(Qt::NoFocus);
    TextAlign(0);
}

QString Label::Text() const {
    return label_->text();
}

void Label::Text(const QString& text) {
    label_->setText(text);
}

void Label::TextAlign(int align) {
    const Qt::Alignment horizontal = align == 1   ? Qt::AlignHCenter
                                     : align == 2 ? Qt::AlignRight
                                                  : Qt::AlignLeft;
    label_->setAlignment(horizontal | (label_->wordWrap() ? Qt::AlignTop : Qt::AlignVCenter));
}

void Label::Multiline(bool multiline) {
    label_->setWordWrap(multiline);
    label_->setAlignment((label_->alignment() & Qt::AlignHorizontal_Mask) |
                         (multiline ? Qt::AlignTop : Qt::AlignVCenter));
}

// --- PushButton

PushButton::PushButton(const QString& name, QWidget* parent) : Control(name, new QPushButton(parent)) {
    button_ = static_cast<QPushButton*>(Widget());
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, [this] { Push(); });
}

QString PushButton::Caption() const {
    return button_->text();
}

void PushButton::Caption(const QString& caption) {
    button_->setText(caption);
}

void PushButton::Default(bool isDefault) {
    default_ = isDefault;
    button_->setDefault(isDefault);
}

void PushButton::Cancel(bool isCancel) {
    cancel_ = isCancel;
}

void PushButton::Push() {
    Fire(Action);
}

// --- ComboBox

ComboBox::ComboBox(const QString& name, QWidget* parent) : Control(name, new QComboBox(parent)) {
    combo_ = static_cast<QComboBox*>(Widget());
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setCurrentIndex(-1);
    QObject::connect(combo_, &QComboBox::activated, [this](int) { Fire(Change); });
}

void ComboBox::AddRow(const QString& text) {
    // Adding rows never changes the box's text: Qt would select the first row added to an empty list.
    const QSignalBlocker block(combo_);
    const QString current = combo_->currentText();
    const int index = combo_->currentIndex();
    combo_->addItem(text);
    if (index < 0) {
        combo_->setCurrentIndex(-1);
        combo_->setEditText(current);
    }
}

void ComboBox::DeleteAllRows() {
    const QSignalBlocker block(combo_);
    const QString current = combo_->currentText();
    combo_->clear();
    combo_->setEditText(current);
}

int ComboBox::ListCount() const {
    return combo_->count();
}

QString ComboBox::List(int row) const {
    return combo_->itemText(row);
}

int ComboBox::ListIndex() const {
    return combo_->currentIndex();
}

void ComboBox::ListIndex(int row) {
    combo_->setCurrentIndex(row);
    if (row < 0)
        combo_->setEditText(QString());
}

QString ComboBox::Text() const {
    return combo_->currentText();
}

void ComboBox::Text(const QString& text) {
    combo_->setEditText(text);
}

// --- TextField

TextField::TextField(const QString& name, QWidget* parent) : Control(name, new QLineEdit(parent)) {
    edit_ = static_cast<QLineEdit*>(Widget());
    QObject::connect(edit_, &QLineEdit::textChanged, [this] { Fire(TextChange); });
}

QString TextField::Text() const {
    return edit_->text();
}

void TextField::Text(const QString& text) {
    edit_->setText(text);
}

void TextField::AllowOnly(const QString& pattern) {
    delete edit_->validator();
    edit_->setValidator(
        pattern.isEmpty() ? nullptr : new QRegularExpressionValidator(QRegularExpression(pattern), edit_));
}

// --- TextArea

TextArea::TextArea(const QString& name, QWidget* parent) : Control(name, new QPlainTextEdit(parent)) {
    edit_ = static_cast<QPlainTextEdit*>(Widget());
    edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit_->setTabChangesFocus(true);
    QObject::connect(edit_, &QPlainTextEdit::textChanged, [this] { Fire(TextChange); });
}

QString TextArea::Text() const {
    return edit_->toPlainText();
}

void TextArea::Text(const QString& text) {
    edit_->setPlainText(text);
}

void TextArea::ReadOnly(bool readOnly) {
    edit_->setReadOnly(readOnly);
}

// --- ProgressBar

ProgressBar::ProgressBar(const QString& name, QWidget* parent) : Control(name, new QProgressBar(parent)) {
    bar_ = static_cast<QProgressBar*>(Widget());
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
}

int ProgressBar::Maximum() const {
    return bar_->maximum();
}

void ProgressBar::Maximum(int maximum) {
    bar_->setRange(0, maximum);
}

int ProgressBar::Value() const {
    return bar_->value();
}

void ProgressBar::Value(int value) {
    bar_->setValue(value);
}

// --- DisclosureTriangle

DisclosureTriangle::DisclosureTriangle(const QString& name, QWidget* parent)
    : Control(name, new QToolButton(parent)) {
    button_ = static_cast<QToolButton*>(Widget());
    button_->setAutoRaise(true);
    button_->setFocusPolicy(Qt::NoFocus);
    Value(true);
    QObject::connect(button_, &QToolButton::clicked, [this] {
        Value(!value_);
        Fire(Action);
    });
}

void DisclosureTriangle::Value(bool open) {
    value_ = open;
    button_->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
}

// --- Separator

Separator::Separator(const QString& name, QWidget* parent) : Control(name, new QFrame(parent)) {
    auto* line = static_cast<QFrame*>(Widget());
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFocusPolicy(Qt::NoFocus);
}

} // namespace fw
