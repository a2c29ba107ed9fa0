#include "session/message_titles.h"

#include <QCoreApplication>

namespace varel::MsgTitle {

QString Tip() {
    return QCoreApplication::translate("varel::MsgTitle", "Tip");
}

QString Mistake() {
    return QCoreApplication::translate("varel::MsgTitle", "Mistake");
}

QString Careful() {
    return QCoreApplication::translate("varel::MsgTitle", "Be careful");
}

QString Attention() {
    return QCoreApplication::translate("varel::MsgTitle", "Attention");
}

}  // namespace varel::MsgTitle
