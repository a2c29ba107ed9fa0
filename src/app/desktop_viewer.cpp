#include "app/desktop_viewer.h"

#include <QDesktopServices>
#include <QUrl>

namespace varel {

bool DesktopViewer::showFile(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace varel
