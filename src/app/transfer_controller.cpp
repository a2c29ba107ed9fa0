#include "transfer_controller.h"

#include "main_window.h"

namespace varel {

TransferController::TransferController(MainWindow& main) : QObject(&main), m_main(main) {}

}  // namespace varel
