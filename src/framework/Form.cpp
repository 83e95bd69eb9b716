#include "framework/Form.h"

#include "framework/Listbox.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <algorithm>
#include <vector>

namespace fw {

namespace {

QString Text(const char* text) {
    return QString::fromUtf8(text ? text : "");
}

QFont FontFor(const ControlSpec& spec) {
    QFont font = QApplication::font();
    if (spec.font && *spec.font && QLatin1String(spec.font) != QLatin1String("System"))
        font.setFamily(QString::fromUtf8(spec.font));
    // Layout sizes are in the design's units, one pixel each; in points they would come out a third
    // larger on a 96 dpi screen and no longer fit their controls.
    if (spec.size > 0)
        font.setPixelSize(spec.size);
    font.setBold(spec.bold);
    return font;
}

QWidget* MakeLabel(const ControlSpec& spec, QWidget* parent) {
    auto* label = new QLabel(Text(spec.text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setFocusPolicy(Qt::NoFocus);
    label->setWordWrap(spec.options.multiline);
    const Qt::Alignment horizontal = spec.align == Align::Center  ? Qt::AlignHCenter
                                     : spec.align == Align::Right ? Qt::AlignRight
                                                                  : Qt::AlignLeft;
    label->setAlignment(horizontal | (spec.options.multiline ? Qt::AlignTop : Qt::AlignVCenter));
    if (spec.colour && *spec.colour) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(QString::fromLatin1(spec.colour)));
        label->setPalette(palette);
    }
    return label;
}

QWidget* MakeButton(const ControlSpec& spec, QWidget* parent) {
    auto* button = new QPushButton(Text(spec.text), parent);
    // Only the button the table (or the program) makes the default one is pressed by Return, never the
    // one that merely has the focus.
    button->setAutoDefault(false);
    button->setDefault(spec.isDefault);
    return button;
}

QWidget* MakeListbox(const ControlSpec& spec, QWidget* parent) {
    auto* list = new Listbox(parent);
    list->setGeometry(spec.left, spec.top, spec.width, spec.height); // the widths are shares of it
    list->ColumnCount(spec.options.columns);
    QStringList headings;
    for (int c = 0; c < spec.options.columns && c < 2; ++c)
        if (spec.options.heading[c])
            headings << QString::fromUtf8(spec.options.heading[c]);
    if (!headings.isEmpty())
        list->Heading(headings);
    if (std::any_of(std::begin(spec.options.widths), std::end(spec.options.widths), [](int w) { return w; }))
        list->ColumnWidths(spec.options.widths);
    list->setShowGrid(spec.options.grid);
    list->setHorizontalScrollBarPolicy(spec.options.hscroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(spec.options.vscroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    return list;
}

QWidget* MakeComboBox(const ControlSpec& spec, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCurrentIndex(-1);
    combo->setEditText(Text(spec.text));
    return combo;
}

QWidget* MakeTextField(const ControlSpec& spec, QWidget* parent) {
    auto* field = new QLineEdit(Text(spec.text), parent);
    if (*spec.options.mask)
        field->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QString::fromUtf8(spec.options.mask)), field));
    return field;
}

QWidget* MakeTextArea(const ControlSpec& spec, QWidget* parent) {
    auto* area = new QPlainTextEdit(Text(spec.text), parent);
    area->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area->setTabChangesFocus(true);
    return area;
}

QWidget* MakeProgressBar(const ControlSpec& spec, QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, spec.options.maximum);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

QWidget* MakeTriangle(const ControlSpec& spec, QWidget* parent) {
    auto* triangle = new QToolButton(parent);
    triangle->setAutoRaise(true);
    triangle->setFocusPolicy(Qt::NoFocus);
    triangle->setArrowType(spec.options.open ? Qt::DownArrow : Qt::RightArrow);
    // Each click turns the arrow before the window's handler runs.
    QObject::connect(triangle, &QToolButton::clicked, triangle, [triangle] {
        triangle->setArrowType(triangle->arrowType() == Qt::DownArrow ? Qt::RightArrow : Qt::DownArrow);
    });
    return triangle;
}

QWidget* MakeSeparator(const ControlSpec&, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFocusPolicy(Qt::NoFocus);
    return line;
}

QWidget* MakeControl(const ControlSpec& spec, QWidget* parent) {
    switch (spec.kind) {
    case Kind::Label:
        return MakeLabel(spec, parent);
    case Kind::PushButton:
        return MakeButton(spec, parent);
    case Kind::Listbox:
        return MakeListbox(spec, parent);
    case Kind::ComboBox:
        return MakeComboBox(spec, parent);
    case Kind::TextField:
        return MakeTextField(spec, parent);
    case Kind::TextArea:
        return MakeTextArea(spec, parent);
    case Kind::ProgressBar:
        return MakeProgressBar(spec, parent);
    case Kind::DisclosureTriangle:
        return MakeTriangle(spec, parent);
    case Kind::Separator:
        return MakeSeparator(spec, parent);
    }
    throw Error(QStringLiteral("Unknown kind of control %1.").arg(QString::fromUtf8(spec.name)));
}

QWidget* SetUpWindow(QWidget* window, const WindowSpec& spec) {
    window->setWindowTitle(QString::fromUtf8(spec.title));
    Qt::WindowFlags flags = (spec.frame == WindowSpec::MovableModal ? Qt::Dialog : Qt::Window) |
                            Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (spec.closeButton)
        flags |= Qt::WindowCloseButtonHint;
    if (spec.minimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (spec.maximizeButton)
        flags |= Qt::WindowMaximizeButtonHint;
    window->setWindowFlags(flags);
    QWidget* content = window;
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        content = new QWidget(main);
        main->setCentralWidget(content);
    }
    if (spec.resizeable) {
        content->resize(spec.width, spec.height);
    } else {
        content->setFixedSize(spec.width, spec.height);
        if (window->layout())
            window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
    return content;
}

} // namespace

Form::Form(QWidget* window, const WindowSpec& spec, std::span<const ControlSpec> controls)
    : window_(window), content_(SetUpWindow(window, spec)) {
    for (const ControlSpec& control : controls) {
        QWidget* widget = MakeControl(control, content_);
        widget->setObjectName(QString::fromUtf8(control.name));
        widget->setGeometry(control.left, control.top, control.width, control.height);
        widget->setFont(FontFor(control));
        if (!control.visible)
            widget->hide();
    }
    setTabOrder(controls);
}

Form::~Form() {
    for (QObject* control : window_->findChildren<QObject*>())
        QObject::disconnect(control, nullptr, window_, nullptr);
}

void Form::setTabOrder(std::span<const ControlSpec> controls) const {
    std::vector<const ControlSpec*> ordered;
    for (const ControlSpec& control : controls)
        if (control.tabIndex >= 0)
            ordered.push_back(&control);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
    QWidget* previous = nullptr;
    for (const ControlSpec* control : ordered) {
        QWidget* widget = take<QWidget>(control->name);
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace fw
