#include "tuning_editor.h"

#include "main_window.h"

namespace varel {

TuningEditor::TuningEditor(MainWindow& main) : QWidget(nullptr), m_main(main) {
    setObjectName("Form4");
}

void TuningEditor::retranslate() {
    setWindowTitle(tr("Debugging"));
}

}  // namespace varel
