// A window built from its layout tables. Each window class has one implicit instance: fw::Instance<T>()
// returns the open window of class T or creates it (layout, controls, Open events); Close destroys it, and
// the next use creates a new one; Hide keeps it.
#pragma once

#include "framework/Control.h"
#include "framework/Errors.h"
#include "framework/Layout.h"
#include "framework/Timer.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <memory>
#include <span>
#include <typeinfo>
#include <vector>

class QEventLoop;
class QMainWindow;
class QWidget;

namespace fw {

class MenuBar;
class PushButton;

class Window : public QObject {
public:
    ~Window() override;

    void Show();
    // Shows the window modally and returns when it has closed.
    void ShowModal();
    void Hide();
    // Raises the Close event and destroys the window.
    void Close();
    void Refresh(bool immediately = true);

    bool IsVisible() const { return shown_; }
    bool IsClosed() const { return closed_; }
    int Left() const;
    void Left(int left);
    int Top() const;
    void Top(int top);
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Height(int height);
    QString Title() const;

    // The control registered under name, as its kind; raises a nil-object error when there is none.
    template <class T> T& ControlNamed(const QString& name) const {
        auto* control = dynamic_cast<T*>(FindControl(name));
        if (!control)
            throw NilObjectError(QStringLiteral("control %1").arg(name));
        return *control;
    }
    Control* FindControl(const QString& name) const;
    Timer& TimerNamed(const QString& name) const;
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
    // The push button that Return presses, or nullptr.
    PushButton* DefaultButton() const;
    PushButton* CancelButton() const;

    QWidget* Widget() const;

    // The application's main window, whose closing quits.
    static Window* DefaultWindow();
    static void SetDefaultWindow(Window* window);
    // Destroys every open window without raising events; at shutdown.
    static void DestroyAll();

protected:
    Window(const WindowSpec& layout, std::span<const ControlSpec> controls,
           std::span<const TimerSpec> timers = {});
    void SetMenuBar(const MenuBar& bar);

    virtual void Event_Open() {}
    virtual void Event_Close() {}

private:
    template <class T> friend T& Instance();
    friend class WindowWidget;

    void Opened();
    void CloseRequested();
    void AddControl(const ControlSpec& layout);
    void ApplyTabOrder(std::span<const ControlSpec> controls);
    void MoveTo(QPoint wanted);

    QPointer<QMainWindow> widget_;
    QWidget* content_ = nullptr;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::unique_ptr<Timer>> timers_;
    int width_ = 0;
    int height_ = 0;
    bool visibleAtCreation_ = true;
    bool shown_ = false;
    bool closed_ = false;
    bool placed_ = false; // Left or Top set by the program
    QEventLoop* modalLoop_ = nullptr;
};

// The top-left corner nearest to wanted at which a window of this size lies within area; a window larger
// than area keeps its top-left corner on it.
QPoint FitOnScreen(QPoint wanted, QSize size, const QRect& area);

namespace detail {
Window* FindOpen(const std::type_info& type);
void RegisterOpen(const std::type_info& type, Window* window);
} // namespace detail

template <class T> T& Instance() {
    if (Window* open = detail::FindOpen(typeid(T)))
        return static_cast<T&>(*open);
    T* window = new T();
    // The window counts as open from now on, so its own Open events reach it by name.
    detail::RegisterOpen(typeid(T), window);
    window->Opened();
    return *window;
}

// The open window of class T, or nullptr; never creates one.
template <class T> T* OpenInstance() {
    return static_cast<T*>(detail::FindOpen(typeid(T)));
}

} // namespace fw
