// Base of every visible control: one Qt widget on a window, reached by its name.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace fw {

class Window;

class Control {
public:
    Control(const QString& name, QWidget* widget);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& Name() const { return name_; }
    bool Visible() const;
    void Visible(bool visible);
    bool Enabled() const;
    void Enabled(bool enabled);
    void SetFocus();
    bool HasFocus() const;
    void Refresh(bool immediately = true);
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;

    // The control's Open event, run once when its window opens.
    std::function<void()> Open;

    QWidget* Widget() const { return widget_; }

protected:
    // Runs an event handler under the framework's error handling.
    static void Fire(const std::function<void()>& handler);

private:
    QString name_;
    QWidget* widget_;
    bool visible_ = true;
};

} // namespace fw
