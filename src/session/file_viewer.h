#pragma once
// Shows a file the program saved in the desktop's viewer for its kind (a PDF to print); tests
// replace it.
#include <QString>

namespace varel {

/// Opens saved files for the user.
class FileViewer {
public:
    virtual ~FileViewer() = default;
    /// Opens the file at path in the desktop's viewer; false when none could be started.
    virtual bool showFile(const QString& path) = 0;
};

}  // namespace varel
