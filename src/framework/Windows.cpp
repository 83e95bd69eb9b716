#include "framework/Windows.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <typeindex>
#include <utility>
#include <vector>

namespace fw {

namespace {

struct OpenWindow {
    std::type_index type;
    QPointer<QWidget> window;
};

std::vector<OpenWindow>& OpenWindows() {
    static std::vector<OpenWindow> open;
    return open;
}

// Qt clears WA_DeleteOnClose when a close goes through: from then on the window only awaits its deletion.
bool IsOpen(const QWidget* window) {
    return window && window->testAttribute(Qt::WA_DeleteOnClose);
}

QPoint Fitted(QWidget* window, QPoint wanted) {
    if (QLayout* layout = window->layout())
        layout->activate();
    QScreen* screen = QGuiApplication::screenAt(wanted);
    if (!screen)
        screen = window->screen();
    return screen ? FitOnScreen(wanted, window->frameGeometry().size(), screen->availableGeometry()) : wanted;
}

// Places a placed window again each time it shows: only then is its frame, and so its size on the
// screen, known.
class KeepOnScreen : public QObject {
public:
    explicit KeepOnScreen(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* window = static_cast<QWidget*>(target);
            window->move(Fitted(window, window->pos()));
        }
        return false;
    }
};

// Ends a modal loop when its window hides, as closing does first.
class QuitAtHide : public QObject {
public:
    QuitAtHide(QWidget* window, QEventLoop* loop) : QObject(window), loop_(loop) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            loop_->quit();
        return false;
    }

private:
    QEventLoop* loop_;
};

} // namespace

namespace detail {

QWidget* FindOpen(const std::type_info& type) {
    for (const OpenWindow& entry : OpenWindows())
        if (entry.type == std::type_index(type) && IsOpen(entry.window))
            return entry.window;
    return nullptr;
}

void RegisterOpen(const std::type_info& type, QWidget* window) {
    auto& open = OpenWindows();
    open.erase(std::remove_if(open.begin(), open.end(), [](const OpenWindow& e) { return !e.window; }),
               open.end());
    window->setAttribute(Qt::WA_DeleteOnClose);
    open.push_back({std::type_index(type), window});
    // Shown on the next pass of the event loop, so that a caller that hides the new window right away
    // (as the main window does with the High Scores window) never makes it flash up.
    QTimer::singleShot(0, window, [window] {
        if (IsOpen(window) && !window->testAttribute(Qt::WA_WState_ExplicitShowHide))
            Present(window);
    });
}

} // namespace detail

void DestroyAllWindows() {
    const auto open = std::exchange(OpenWindows(), {});
    for (const OpenWindow& entry : open)
        delete entry.window.data();
}

void Present(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

void ShowModal(QWidget* window) {
    window->setWindowModality(Qt::ApplicationModal);
    Present(window);
    if (!IsOpen(window) || window->isHidden())
        return;
    QEventLoop loop;
    const QPointer<QObject> watcher = new QuitAtHide(window, &loop);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
    delete watcher.data();
}

void PlaceOnScreen(QWidget* window, QPoint wanted) {
    window->move(Fitted(window, wanted));
    static constexpr const char* kKept = "fw.keptOnScreen";
    if (!window->property(kKept).toBool()) {
        window->setProperty(kKept, true);
        new KeepOnScreen(window);
    }
}

QPoint FitOnScreen(QPoint wanted, QSize size, const QRect& area) {
    const int x = std::max(area.left(), std::min(wanted.x(), area.left() + area.width() - size.width()));
    const int y = std::max(area.top(), std::min(wanted.y(), area.top() + area.height() - size.height()));
    return {x, y};
}

} // namespace fw
