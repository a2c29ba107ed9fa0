#include "channel_editor.h"

#include "main_window.h"

namespace varel {

ChannelEditor::ChannelEditor(MainWindow& main) : QWidget(nullptr), m_main(main) {
    setObjectName("Form1");
}

void ChannelEditor::retranslate() {
    setWindowTitle(tr("Channel Edit"));
}

}  // namespace varel
