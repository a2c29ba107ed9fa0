#include "service_modes.h"

#include "main_window.h"

namespace varel {

ServiceModes::ServiceModes(MainWindow& main) : QObject(&main), m_main(main) {}

const char* ServiceModes::ButtonKey(int button) {
    static const char* const keys[] = {"TAnMa", "TDebug", "TFMMa"};
    return button >= 0 && button < 3 ? keys[button] : "";
}

}  // namespace varel
