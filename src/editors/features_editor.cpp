#include "features_editor.h"

#include "main_window.h"

namespace varel {

FeaturesEditor::FeaturesEditor(MainWindow& main) : QWidget(nullptr), m_main(main) {
    setObjectName("Form3");
}

void FeaturesEditor::retranslate() {
    setWindowTitle(tr("Optional Features"));
}

}  // namespace varel
