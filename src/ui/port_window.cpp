#include "port_window.h"

#include "main_window.h"

namespace varel {

PortWindow::PortWindow(MainWindow& main) : QWidget(nullptr), m_main(main) {
    setObjectName("Form6");
}

void PortWindow::retranslate() {
    setWindowTitle(tr("ComPort"));
}

}  // namespace varel
