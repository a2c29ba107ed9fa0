#include "ui/application_title.h"

#include <QCoreApplication>

namespace varel {

QString ApplicationTitle() {
    return QCoreApplication::translate("varel::ApplicationTitle", "Varel Wavesmith");
}

}  // namespace varel
