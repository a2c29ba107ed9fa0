#include "session/edit_label.h"

#include <QCoreApplication>

#include "image/channel_columns.h"

namespace varel {

EditLabel EditLabel::Cell(int row, int column) {
    EditLabel label(ChannelColumnAt(column).header);
    label.m_row = row;
    return label;
}

QString EditLabel::text(Language lang) const {
    if (m_source != nullptr) return QCoreApplication::translate("varel::EditLabel", m_source);
    const QString caption = QString::fromStdString(m_caption.in(lang));
    if (m_row == 0) return caption;
    return QCoreApplication::translate("varel::EditLabel", "channel %1 %2").arg(m_row).arg(caption);
}

}  // namespace varel
