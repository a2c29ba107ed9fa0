#include "session/document_edit.h"

#include "session/session.h"

namespace varel {

DocumentChange DocumentChange::Between(const Document& before, const Document& after,
                                       Language lang) {
    DocumentChange change;
    change.language = lang;
    for (int r = 1; r <= static_cast<int>(kChannelCount); ++r) {
        ChannelRowState was = before.channels.row(r);
        ChannelRowState now = after.channels.row(r);
        if (was == now) continue;
        change.rows.append(r);
        change.rowsBefore.append(std::move(was));
        change.rowsAfter.append(std::move(now));
    }
    if (before.settings != after.settings) {
        change.settingsBefore = before.settings;
        change.settingsAfter = after.settings;
    }
    return change;
}

DocumentEditCommand::DocumentEditCommand(Session& session, const EditLabel& label,
                                         DocumentChange change, int mergeKey, bool closesMerge)
    : m_session(session),
      m_label(label),
      m_change(std::move(change)),
      m_mergeKey(mergeKey),
      m_open(mergeKey >= 0 && !closesMerge) {}

void DocumentEditCommand::undo() {
    m_session.applyState(m_change, false);
    m_applied = false;
}

void DocumentEditCommand::redo() {
    if (m_applied) return;
    m_session.applyState(m_change, true);
    m_applied = true;
}

bool DocumentEditCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const DocumentEditCommand*>(other);
    if (next == nullptr || next->m_mergeKey != m_mergeKey || !m_open) return false;
    const DocumentChange& more = next->m_change;
    for (int i = 0; i < more.rows.size(); ++i) {
        const int at = m_change.rows.indexOf(more.rows[i]);
        if (at >= 0) {
            m_change.rowsAfter[at] = more.rowsAfter[i];
        } else {
            m_change.rows.append(more.rows[i]);
            m_change.rowsBefore.append(more.rowsBefore[i]);
            m_change.rowsAfter.append(more.rowsAfter[i]);
        }
    }
    if (more.settingsAfter) {
        if (!m_change.settingsBefore) m_change.settingsBefore = more.settingsBefore;
        m_change.settingsAfter = more.settingsAfter;
    }
    m_open = next->m_open;
    // Typing that ends where it began leaves nothing to undo.
    bool unchanged =
        !m_change.settingsBefore || *m_change.settingsBefore == *m_change.settingsAfter;
    for (int i = 0; unchanged && i < m_change.rows.size(); ++i)
        unchanged = m_change.rowsBefore[i] == m_change.rowsAfter[i];
    setObsolete(unchanged);
    return true;
}

}  // namespace varel
