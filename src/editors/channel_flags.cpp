#include "editors/channel_flags.h"

#include <QColor>
#include <QMap>

#include "editors/channel_grid.h"
#include "image/channel_columns.h"
#include "session/session.h"
#include "ui/qt_text.h"

namespace varel {

namespace {

const QColor kFlagColour(Qt::red);

}  // namespace

ChannelFlags::ChannelFlags(Session& session, ChannelGrid& grid)
    : QObject(&grid), m_session(session), m_grid(grid) {
    connect(&m_session, &Session::channelRowsChanged, this, &ChannelFlags::update);
    connect(&m_session, &Session::settingsChanged, this, &ChannelFlags::update);
    update();
}

void ChannelFlags::update() {
    m_problems = CheckValues(m_session.channels().model(), m_session.settings());
    const Language lang = m_session.language();
    QMap<std::pair<int, int>, QString> tips;
    for (const WriteProblem& problem : m_problems) {
        const int column = ProblemColumn(problem);
        if (column == 0) continue;
        QString& tip = tips[{problem.channel, column}];
        if (!tip.isEmpty()) tip += '\n';
        tip += QtText(WriteProblemText(problem, lang));
    }
    for (int row = 1; row <= static_cast<int>(kChannelCount); ++row) {
        for (int column = kRxFreqColumn; column <= kNameColumn; ++column) {
            QTableWidgetItem* item = m_grid.item(ChannelGrid::QtRow(row), column);
            const QString tip = tips.value({row, column});
            if (item->toolTip() == tip) continue;
            item->setToolTip(tip);
            if (tip.isEmpty())
                item->setData(Qt::ForegroundRole, QVariant());
            else
                item->setForeground(kFlagColour);
        }
    }
    emit updated(static_cast<int>(m_problems.size()));
}

std::optional<std::pair<int, int>> ChannelFlags::next(int channel, int column) const {
    std::optional<std::pair<int, int>> first;  // the first marked cell, where the search wraps to
    for (const WriteProblem& problem : m_problems) {
        const std::pair<int, int> cell{problem.channel, ProblemColumn(problem)};
        if (cell.second == 0) continue;
        if (cell > std::make_pair(channel, column)) return cell;
        if (!first) first = cell;
    }
    return first;
}

}  // namespace varel
