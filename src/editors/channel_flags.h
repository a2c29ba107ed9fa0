#pragma once
// The doubtful values of the channel table, marked where the grid shows them: a value the
// program cannot show as a frequency, one outside the band, a tone the tone list lacks, a
// transmit frequency without a receive frequency. A marked cell has red text and a tooltip
// naming the problem; its background stays. The marks follow every change of the channels or
// the settings (a decode, an edit, a paste, an undo, the band), and only the marks: the values
// are shown and written exactly as they are.
#include <QObject>
#include <optional>
#include <utility>
#include <vector>

#include "checks/write_check.h"

namespace varel {

class ChannelGrid;
class Session;

/// The marks of doubtful values in Grid1, and where they are.
class ChannelFlags : public QObject {
    Q_OBJECT

public:
    /// Marks the grid's cells from the session's document now and after each of its changes.
    ChannelFlags(Session& session, ChannelGrid& grid);

    /// The doubtful values of the channels and the VFOs, as the check before a write lists them.
    const std::vector<WriteProblem>& problems() const { return m_problems; }
    /// The marked cell (channel, column) after cell (channel, column), row after row, from the
    /// start again after the last one; none when no cell is marked.
    std::optional<std::pair<int, int>> next(int channel, int column) const;

signals:
    /// The marks were made afresh (after any change; the count may be the same).
    void updated(int count);

private:
    void update();

    Session& m_session;
    ChannelGrid& m_grid;
    std::vector<WriteProblem> m_problems;
};

}  // namespace varel
