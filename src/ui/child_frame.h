#pragma once
// The frame of a child window of the main window, found from the window's contents.
class QMdiSubWindow;
class QWidget;

namespace varel {

/// The child window frame that holds widget (directly or inside a scrolled area); null when the
/// widget is not inside one.
QMdiSubWindow* ChildFrame(const QWidget* widget);

}  // namespace varel
