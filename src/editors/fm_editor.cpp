#include "fm_editor.h"

#include "main_window.h"

namespace varel {

FmEditor::FmEditor(MainWindow& main) : QWidget(nullptr), m_main(main) {
    setObjectName("Form5");
}

void FmEditor::retranslate() {
    setWindowTitle(tr("FM Channel Set"));
}

}  // namespace varel
