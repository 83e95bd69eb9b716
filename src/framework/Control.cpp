#include "framework/Control.h"

#include "framework/Errors.h"

#include <QWidget>

namespace fw {

Control::Control(const QString& name, QWidget* widget) : name_(name), widget_(widget) {
    widget_->setObjectName(name);
}

Control::~Control() = default;

// Visibility is kept here rather than read from Qt, because a control on a hidden window still counts
// as visible when the layout says so.
bool Control::Visible() const {
    return visible_;
}

void Control::Visible(bool visible) {
    visible_ = visible;
    widget_->setVisible(visible);
}

bool Control::Enabled() const {
    return widget_->isEnabled();
}

void Control::Enabled(bool enabled) {
    widget_->setEnabled(enabled);
}

void Control::SetFocus() {
    widget_->setFocus(Qt::OtherFocusReason);
}

bool Control::HasFocus() const {
    return widget_->hasFocus();
}

void Control::Refresh(bool immediately) {
    if (immediately)
        widget_->repaint();
    else
        widget_->update();
}

int Control::Left() const {
    return widget_->x();
}
int Control::Top() const {
    return widget_->y();
}
int Control::Width() const {
    return widget_->width();
}
int Control::Height() const {
    return widget_->height();
}

void Control::Fire(const std::function<void()>& handler) {
    if (handler)
        Guard(handler);
}

} // namespace fw
