#include "ui/child_frame.h"

#include <QMdiSubWindow>

namespace varel {

QMdiSubWindow* ChildFrame(const QWidget* widget) {
    for (QWidget* w = widget != nullptr ? widget->parentWidget() : nullptr; w != nullptr;
         w = w->parentWidget())
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w)) return frame;
    return nullptr;
}

}  // namespace varel
