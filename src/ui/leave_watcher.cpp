#include "ui/leave_watcher.h"

#include <QFocusEvent>
#include <QWidget>

namespace varel {

LeaveWatcher* LeaveWatcher::attach(QWidget* widget, std::function<void()> leave) {
    return new LeaveWatcher(widget, std::move(leave));
}

LeaveWatcher::LeaveWatcher(QWidget* widget, std::function<void()> leave)
    : QObject(widget), m_widget(widget), m_leave(std::move(leave)) {
    widget->installEventFilter(this);
}

void LeaveWatcher::runNow() {
    if (m_running) return;
    m_running = true;
    m_leave();
    m_running = false;
}

bool LeaveWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_widget && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) runNow();
    }
    return false;
}

}  // namespace varel
