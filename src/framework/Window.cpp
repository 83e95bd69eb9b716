#include "framework/Window.h"

#include "framework/Controls.h"
#include "framework/Listbox.h"
#include "framework/MenuBar.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <map>
#include <typeindex>

namespace fw {

// --- The registry of open windows, one per class.

namespace {

std::vector<std::pair<std::type_index, Window*>>& OpenWindows() {
    static std::vector<std::pair<std::type_index, Window*>> open;
    return open;
}

Window* defaultWindow = nullptr;

void Unregister(Window* window) {
    auto& open = OpenWindows();
    open.erase(std::remove_if(open.begin(), open.end(),
                              [window](const auto& entry) { return entry.second == window; }),
               open.end());
    if (defaultWindow == window)
        defaultWindow = nullptr;
}

} // namespace

namespace detail {
Window* FindOpen(const std::type_info& type) {
    for (const auto& [key, window] : OpenWindows())
        if (key == std::type_index(type))
            return window;
    return nullptr;
}

void RegisterOpen(const std::type_info& type, Window* window) {
    OpenWindows().emplace_back(type, window);
}
} // namespace detail

// --- The Qt side of a window.

class WindowWidget : public QMainWindow {
public:
    explicit WindowWidget(Window* owner) : owner_(owner) { setAttribute(Qt::WA_DeleteOnClose, false); }
    Window* Owner() const { return owner_; }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        if (owner_)
            owner_->CloseRequested();
    }

private:
    Window* owner_;
};

namespace {

// Return presses a window's default button and Escape its cancel button, unless the focused control
// needs the key itself (a text area, a cell being edited, an open drop-down list).
class KeyRouter : public QObject {
public:
    static void Install() {
        static KeyRouter* router = nullptr;
        if (!router) {
            router = new KeyRouter;
            qApp->installEventFilter(router);
        }
    }

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool isReturn = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool isEscape = key->key() == Qt::Key_Escape;
        if ((!isReturn && !isEscape) || key->modifiers() & ~Qt::KeypadModifier)
            return false;
        auto* widget = qobject_cast<QWidget*>(target);
        if (!widget || NeedsKey(widget))
            return false;
        auto* top = dynamic_cast<WindowWidget*>(widget->window());
        if (!top || !top->Owner())
            return false;
        PushButton* button = isReturn ? top->Owner()->DefaultButton() : top->Owner()->CancelButton();
        if (!button || !button->Enabled() || !button->Visible())
            return false;
        button->Push();
        return true;
    }

private:
    static bool NeedsKey(QWidget* widget) {
        for (QWidget* w = widget; w; w = w->parentWidget()) {
            if (qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w))
                return true;
            // A cell editor lives inside the list's viewport.
            if (auto* view = qobject_cast<QAbstractItemView*>(w);
                view && w != widget && widget != view->viewport())
                return true;
            if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->view()->isVisible())
                return true;
            if (w->isWindow())
                break;
        }
        return false;
    }
};

QFont FontFor(const ControlSpec& layout) {
    QFont font = QApplication::font();
    if (layout.font && *layout.font && QLatin1String(layout.font) != QLatin1String("System"))
        font.setFamily(QString::fromUtf8(layout.font));
    // Layout sizes are in the design's units, one pixel each; in points they would come out a third
    // larger on a 96 dpi screen and no longer fit their controls.
    if (layout.size > 0)
        font.setPixelSize(layout.size);
    font.setBold(layout.bold);
    return font;
}

std::map<QString, QString> ParseOptions(const char* options) {
    std::map<QString, QString> result;
    if (!options)
        return result;
    for (const QString& pair : QString::fromUtf8(options).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        if (eq < 0)
            result[pair.trimmed()] = QStringLiteral("1");
        else
            result[pair.left(eq).trimmed()] = pair.mid(eq + 1).trimmed();
    }
    return result;
}

bool IsOn(const std::map<QString, QString>& options, const char* key, bool fallback) {
    const auto it = options.find(QString::fromLatin1(key));
    return it == options.end() ? fallback : it->second != QLatin1String("0");
}

std::unique_ptr<Control> MakeControl(const ControlSpec& layout, QWidget* parent) {
    const QString name = QString::fromUtf8(layout.name);
    const QString text = QString::fromUtf8(layout.text ? layout.text : "");
    const auto options = ParseOptions(layout.options);
    switch (layout.kind) {
    case Kind::Label: {
        auto label = std::make_unique<Label>(name, parent);
        label->Multiline(IsOn(options, "multiline", false));
        label->TextAlign(layout.align);
        label->Text(text);
        if (layout.colour && *layout.colour) {
            QPalette palette = label->Widget()->palette();
            palette.setColor(QPalette::WindowText, QColor(QString::fromLatin1(layout.colour)));
            label->Widget()->setPalette(palette);
        }
        return label;
    }
    case Kind::PushButton: {
        auto button = std::make_unique<PushButton>(name, parent);
        button->Caption(text);
        button->Default(layout.isDefault);
        button->Cancel(IsOn(options, "cancel", false));
        return button;
    }
    case Kind::Listbox: {
        auto list = std::make_unique<Listbox>(name, parent);
        list->Widget()->setGeometry(layout.left, layout.top, layout.width, layout.height);
        list->ColumnCount(
            options.count(QStringLiteral("columns")) ? options.at(QStringLiteral("columns")).toInt() : 1);
        if (options.count(QStringLiteral("heading")))
            list->Heading(options.at(QStringLiteral("heading")).split(QLatin1Char('|')));
        if (options.count(QStringLiteral("widths")))
            list->ColumnWidths(options.at(QStringLiteral("widths")));
        list->GridLines(IsOn(options, "grid", true), IsOn(options, "grid", true));
        list->ScrollBars(IsOn(options, "hscroll", false), IsOn(options, "vscroll", true));
        return list;
    }
    case Kind::ComboBox: {
        auto combo = std::make_unique<ComboBox>(name, parent);
        combo->Text(text);
        return combo;
    }
    case Kind::TextField: {
        auto field = std::make_unique<TextField>(name, parent);
        field->Text(text);
        return field;
    }
    case Kind::TextArea: {
        auto area = std::make_unique<TextArea>(name, parent);
        area->Text(text);
        area->ReadOnly(IsOn(options, "readonly", false));
        return area;
    }
    case Kind::ProgressBar: {
        auto bar = std::make_unique<ProgressBar>(name, parent);
        if (options.count(QStringLiteral("max")))
            bar->Maximum(options.at(QStringLiteral("max")).toInt());
        return bar;
    }
    case Kind::DisclosureTriangle: {
        auto triangle = std::make_unique<DisclosureTriangle>(name, parent);
        triangle->Value(IsOn(options, "value", true));
        return triangle;
    }
    case Kind::Separator:
        return std::make_unique<Separator>(name, parent);
    }
    throw Error(QStringLiteral("Unknown kind of control %1.").arg(name));
}

} // namespace

// --- Window

Window::Window(const WindowSpec& layout, std::span<const ControlSpec> controls,
               std::span<const TimerSpec> timers)
    : widget_(new WindowWidget(this)), width_(layout.width), height_(layout.height),
      visibleAtCreation_(layout.visible) {
    KeyRouter::Install();
    widget_->setWindowTitle(QString::fromUtf8(layout.title));
    Qt::WindowFlags flags = (layout.frame == WindowSpec::MovableModal ? Qt::Dialog : Qt::Window) |
                            Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (layout.closeButton)
        flags |= Qt::WindowCloseButtonHint;
    if (layout.minimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (layout.maximizeButton)
        flags |= Qt::WindowMaximizeButtonHint;
    widget_->setWindowFlags(flags);
    content_ = new QWidget(widget_);
    content_->setFixedSize(width_, height_);
    widget_->setCentralWidget(content_);
    if (!layout.resizeable)
        widget_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    for (const ControlSpec& control : controls)
        AddControl(control);
    ApplyTabOrder(controls);
    for (const TimerSpec& timer : timers)
        timers_.push_back(std::make_unique<Timer>(QString::fromUtf8(timer.name), timer.period));
}

Window::~Window() {
    Unregister(this);
    controls_.clear();
    delete widget_.data();
}

void Window::AddControl(const ControlSpec& layout) {
    auto control = MakeControl(layout, content_);
    QWidget* widget = control->Widget();
    widget->setGeometry(layout.left, layout.top, layout.width, layout.height);
    widget->setFont(FontFor(layout));
    control->Visible(layout.visible);
    controls_.push_back(std::move(control));
}

void Window::ApplyTabOrder(std::span<const ControlSpec> controls) {
    std::vector<const ControlSpec*> ordered;
    for (const ControlSpec& layout : controls)
        if (layout.tabIndex >= 0)
            ordered.push_back(&layout);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
    QWidget* previous = nullptr;
    for (const ControlSpec* layout : ordered) {
        QWidget* widget = FindControl(QString::fromUtf8(layout->name))->Widget();
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void Window::SetMenuBar(const MenuBar& bar) {
    auto* qtBar = new QMenuBar(widget_);
    BuildQtMenuBar(bar, *qtBar);
    widget_->setMenuBar(qtBar);
}

void Window::Opened() {
    for (const auto& control : controls_)
        if (control->Open)
            Guard(control->Open);
    Guard([this] { Event_Open(); });
    if (closed_ || !visibleAtCreation_)
        return;
    // Shown on the next pass of the event loop, so that a caller that hides the new window right away
    // (as the main window does with the High Scores window) never makes it flash up.
    shown_ = true;
    QTimer::singleShot(0, this, [this] {
        if (shown_ && !closed_)
            Show();
    });
}

void Window::Show() {
    shown_ = true;
    widget_->show();
    // The frame's size is known only now; a placed window must still lie on the screen with it.
    if (placed_)
        MoveTo(widget_->pos());
    widget_->raise();
    widget_->activateWindow();
}

void Window::ShowModal() {
    widget_->setWindowModality(Qt::ApplicationModal);
    Show();
    if (closed_)
        return;
    QEventLoop loop;
    QObject::connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    QObject::connect(widget_.data(), &QObject::destroyed, &loop, &QEventLoop::quit);
    modalLoop_ = &loop;
    const QPointer<Window> self(this);
    loop.exec();
    // Closing the window inside the loop may already have destroyed it.
    if (self)
        self->modalLoop_ = nullptr;
}

void Window::Hide() {
    shown_ = false;
    widget_->hide();
}

void Window::Close() {
    if (!closed_)
        widget_->close();
}

void Window::CloseRequested() {
    if (closed_)
        return;
    closed_ = true;
    Guard([this] { Event_Close(); });
    Unregister(this);
    shown_ = false;
    widget_->hide();
    if (modalLoop_)
        modalLoop_->quit();
    deleteLater();
}

void Window::Refresh(bool immediately) {
    if (immediately && widget_->isVisible())
        widget_->repaint();
    else
        widget_->update();
}

QPoint FitOnScreen(QPoint wanted, QSize size, const QRect& area) {
    const int x = std::max(area.left(), std::min(wanted.x(), area.left() + area.width() - size.width()));
    const int y = std::max(area.top(), std::min(wanted.y(), area.top() + area.height() - size.height()));
    return {x, y};
}

int Window::Left() const {
    return widget_->x();
}
void Window::Left(int left) {
    MoveTo({left, widget_->y()});
}
int Window::Top() const {
    return widget_->y();
}
void Window::Top(int top) {
    MoveTo({widget_->x(), top});
}

void Window::MoveTo(QPoint wanted) {
    // Places chosen for a wide screen would put part of the window off a small one, out of reach; the
    // window moves just enough to lie on the screen. Its size is known before it is first shown once
    // its layout has fixed it.
    placed_ = true;
    if (QLayout* layout = widget_->layout())
        layout->activate();
    QScreen* screen = QGuiApplication::screenAt(wanted);
    if (!screen)
        screen = widget_->screen();
    widget_->move(screen ? FitOnScreen(wanted, widget_->frameGeometry().size(), screen->availableGeometry())
                         : wanted);
}

void Window::Height(int height) {
    height_ = height;
    content_->setFixedSize(width_, height_);
}

QString Window::Title() const {
    return widget_->windowTitle();
}

Control* Window::FindControl(const QString& name) const {
    for (const auto& control : controls_)
        if (control->Name() == name)
            return control.get();
    return nullptr;
}

Timer& Window::TimerNamed(const QString& name) const {
    for (const auto& timer : timers_)
        if (timer->Name() == name)
            return *timer;
    throw NilObjectError(QStringLiteral("timer %1").arg(name));
}

PushButton* Window::DefaultButton() const {
    for (const auto& control : controls_)
        if (auto* button = dynamic_cast<PushButton*>(control.get()); button && button->Default())
            return button;
    return nullptr;
}

PushButton* Window::CancelButton() const {
    for (const auto& control : controls_)
        if (auto* button = dynamic_cast<PushButton*>(control.get()); button && button->Cancel())
            return button;
    return nullptr;
}

QWidget* Window::Widget() const {
    return widget_;
}

Window* Window::DefaultWindow() {
    return defaultWindow;
}

void Window::SetDefaultWindow(Window* window) {
    defaultWindow = window;
}

void Window::DestroyAll() {
    const auto open = OpenWindows();
    for (const auto& entry : open) {
        entry.second->closed_ = true;
        delete entry.second;
    }
    OpenWindows().clear();
    defaultWindow = nullptr;
}

} // namespace fw
