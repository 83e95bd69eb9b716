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
#include <QToolButton>
#include <algorithm>
#include <vector>

namespace fw {

namespace {

QString Text(const char* text) {
    return QString::fromUtf8(text ? text : "");
}

QFont FontFor(const ControlSpec& row) {
    QFont font = QApplication::font();
    if (row.font && *row.font && QLatin1String(row.font) != QLatin1String("System"))
        font.setFamily(QString::fromUtf8(row.font));
    // Layout sizes are in the design's units, one pixel each; in points they would come out a third
    // larger on a 96 dpi screen and no longer fit their controls.
    if (row.size > 0)
        font.setPixelSize(row.size);
    font.setBold(row.bold);
    return font;
}

QWidget* MakeLabel(const ControlSpec& row, QWidget* parent) {
    auto* label = new QLabel(Text(row.text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setFocusPolicy(Qt::NoFocus);
    label->setWordWrap(row.options.multiline);
    const Qt::Alignment horizontal = row.align == Align::Center  ? Qt::AlignHCenter
                                     : row.align == Align::Right ? Qt::AlignRight
                                                                 : Qt::AlignLeft;
    label->setAlignment(horizontal | (row.options.multiline ? Qt::AlignTop : Qt::AlignVCenter));
    if (row.colour && *row.colour) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(QString::fromLatin1(row.colour)));
        label->setPalette(palette);
    }
    return label;
}

QWidget* MakeButton(const ControlSpec& row, QWidget* parent) {
    auto* button = new QPushButton(Text(row.text), parent);
    // Only the button the table (or the program) makes the default one is pressed by Return, never the
    // one that merely has the focus.
    button->setAutoDefault(false);
    button->setDefault(row.isDefault);
    return button;
}

QWidget* MakeListbox(const ControlSpec& row, QWidget* parent) {
    auto* list = new Listbox(parent);
    list->setGeometry(row.left, row.top, row.width, row.height); // the widths are shares of it
    list->ColumnCount(row.options.columns);
    QStringList headings;
    for (int c = 0; c < row.options.columns && c < 2; ++c)
        if (row.options.heading[c])
            headings << QString::fromUtf8(row.options.heading[c]);
    if (!headings.isEmpty())
        list->Heading(headings);
    if (std::any_of(std::begin(row.options.widths), std::end(row.options.widths), [](int w) { return w; }))
        list->ColumnWidths(row.options.widths);
    list->setShowGrid(row.options.grid);
    list->setHorizontalScrollBarPolicy(row.options.hscroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(row.options.vscroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    return list;
}

QWidget* MakeComboBox(const ControlSpec& row, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCurrentIndex(-1);
    combo->setEditText(Text(row.text));
    return combo;
}

QWidget* MakeTextField(const ControlSpec& row, QWidget* parent) {
    return new QLineEdit(Text(row.text), parent);
}

QWidget* MakeTextArea(const ControlSpec& row, QWidget* parent) {
    auto* area = new QPlainTextEdit(Text(row.text), parent);
    area->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area->setTabChangesFocus(true);
    return area;
}

QWidget* MakeProgressBar(const ControlSpec& row, QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, row.options.maximum);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

QWidget* MakeTriangle(const ControlSpec& row, QWidget* parent) {
    auto* triangle = new QToolButton(parent);
    triangle->setAutoRaise(true);
    triangle->setFocusPolicy(Qt::NoFocus);
    triangle->setArrowType(row.options.open ? Qt::DownArrow : Qt::RightArrow);
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

QWidget* MakeControl(const ControlSpec& row, QWidget* parent) {
    switch (row.kind) {
    case Kind::Label:
        return MakeLabel(row, parent);
    case Kind::PushButton:
        return MakeButton(row, parent);
    case Kind::Listbox:
        return MakeListbox(row, parent);
    case Kind::ComboBox:
        return MakeComboBox(row, parent);
    case Kind::TextField:
        return MakeTextField(row, parent);
    case Kind::TextArea:
        return MakeTextArea(row, parent);
    case Kind::ProgressBar:
        return MakeProgressBar(row, parent);
    case Kind::DisclosureTriangle:
        return MakeTriangle(row, parent);
    case Kind::Separator:
        return MakeSeparator(row, parent);
    }
    throw Error(QStringLiteral("Unknown kind of control %1.").arg(QString::fromUtf8(row.name)));
}

QWidget* SetUpWindow(QWidget* window, const WindowSpec& shape) {
    window->setWindowTitle(QString::fromUtf8(shape.title));
    Qt::WindowFlags flags = (shape.frame == WindowSpec::MovableModal ? Qt::Dialog : Qt::Window) |
                            Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (shape.closeButton)
        flags |= Qt::WindowCloseButtonHint;
    if (shape.minimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (shape.maximizeButton)
        flags |= Qt::WindowMaximizeButtonHint;
    window->setWindowFlags(flags);
    QWidget* content = window;
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        content = new QWidget(main);
        main->setCentralWidget(content);
    }
    if (shape.resizeable) {
        content->resize(shape.width, shape.height);
    } else {
        content->setFixedSize(shape.width, shape.height);
        if (window->layout())
            window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
    return content;
}

} // namespace

Form::Form(QWidget* window, const WindowSpec& shape, std::span<const ControlSpec> controls)
    : window_(window), content_(SetUpWindow(window, shape)) {
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
