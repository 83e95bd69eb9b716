// Each window class has one implicit instance: fw::Instance<T>() returns the open window of class T or
// makes it (constructed, counted as open, then its Event_Open runs and it shows on the next pass of the
// event loop unless the program has shown or hidden it first). close() destroys the window and the next
// use makes a new one; hide() keeps it. Handlers are connected through fw::on, which runs them under the
// one guard for uncaught errors.
#pragma once

#include "framework/Errors.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <typeinfo>

namespace fw {

namespace detail {
QWidget* FindOpen(const std::type_info& type);
// Counts the window as open until it closes, and shows it on the next pass of the event loop.
void RegisterOpen(const std::type_info& type, QWidget* window);
} // namespace detail

template <class T> T& Instance() {
    if (QWidget* open = detail::FindOpen(typeid(T)))
        return static_cast<T&>(*open);
    T* window = new T();
    // The window counts as open from now on, so its own Open event reaches it by name.
    detail::RegisterOpen(typeid(T), window);
    if constexpr (requires(T & w) { w.Event_Open(); }) // public, where a window has one
        Guard([window] { window->Event_Open(); });
    return *window;
}

// The open window of class T, or nullptr; never makes one.
template <class T> T* OpenInstance() {
    return static_cast<T*>(detail::FindOpen(typeid(T)));
}

// Destroys every open window without their Close events; at shutdown and between tests.
void DestroyAllWindows();

// Shows the window in front of the others.
void Present(QWidget* window);
// Shows the window modally and returns once it has closed (or been hidden).
void ShowModal(QWidget* window);

// Moves the window's top-left corner to wanted, or just far enough from it that the window lies on the
// screen: places chosen for a wide screen would otherwise put part of it out of reach on a small one.
// From then on the window is checked again whenever it shows, once its frame is known.
void PlaceOnScreen(QWidget* window, QPoint wanted);
// The top-left corner nearest to wanted at which a window of this size lies within area; a window larger
// than area keeps its top-left corner on it.
QPoint FitOnScreen(QPoint wanted, QSize size, const QRect& area);

// Connects the signal to the receiver's handler, run as a step under the guard: an error that escapes it
// is shown in a message box and the program goes on. The handler takes the signal's first arguments, or
// none. Signals that no user action raises (a timer's) connect as Step::Unattended.
template <class Sender, class Signal, class Receiver, class... Args>
QMetaObject::Connection on(Sender* sender, Signal signal, Receiver* receiver,
                           void (Receiver::*handler)(Args...), Step::Origin origin = Step::ByUser) {
    return QObject::connect(sender, signal, receiver, [receiver, handler, origin](Args... args) {
        const auto run = [&] { (receiver->*handler)(args...); };
        origin == Step::ByUser ? Guard(run) : GuardUnattended(run);
    });
}

} // namespace fw
