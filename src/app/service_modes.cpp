#include "service_modes.h"

#include <QAction>

#include "main_window.h"

namespace varel {

ServiceModes::ServiceModes(MainWindow& main) : QObject(&main), m_main(main) {}

const char* ServiceModes::ButtonKey(int button) {
    static const char* const keys[] = {"TAnMa", "TDebug", "TFMMa"};
    return button >= 0 && button < 3 ? keys[button] : "";
}

void ServiceModes::setOn(ServiceMode mode, bool on) {
    const int index = static_cast<int>(mode);
    if (m_on[index] == on) return;
    m_on[index] = on;
    m_main.action(ButtonKey(index))->setVisible(on);
    emit modeChanged(mode, on);
}

}  // namespace varel
