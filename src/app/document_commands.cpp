#include "document_commands.h"

#include "main_window.h"

namespace varel {

DocumentCommands::DocumentCommands(MainWindow& main) : QObject(&main), m_main(main) {}

}  // namespace varel
