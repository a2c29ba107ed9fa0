#pragma once
// The desktop's own viewer for a saved file.
#include "session/file_viewer.h"

namespace varel {

/// Opens files with the program the desktop associates with their kind.
class DesktopViewer : public FileViewer {
public:
    bool showFile(const QString& path) override;
};

}  // namespace varel
