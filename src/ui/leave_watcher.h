#pragma once
// Runs an editor's leave check (its commit) when the user moves the input focus away from it,
// the way a text box's lost-focus handling runs: not when a menu or a list's own popup opens,
// not when another window (a message box) becomes active, and never again while it is running.
#include <QObject>
#include <functional>

class QWidget;

namespace varel {

/// Watches one widget for the loss of the focus.
class LeaveWatcher : public QObject {
    Q_OBJECT

public:
    /// Runs leave whenever widget (which owns the watcher) loses the focus to another control
    /// of the program.
    static LeaveWatcher* attach(QWidget* widget, std::function<void()> leave);

    /// Runs the leave check now (for Enter, or before a read or an encode); ignored while the
    /// check is already running.
    void runNow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LeaveWatcher(QWidget* widget, std::function<void()> leave);

    QWidget* m_widget;
    std::function<void()> m_leave;
    bool m_running = false;
};

}  // namespace varel
