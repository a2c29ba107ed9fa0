#pragma once
// One step of the undo history: the rows of the channel table and the settings that one edit
// or decode changed, before and after. What did not change needs no keeping: the states kept
// and the document around them give the whole document on either side of the step.
#include <QUndoCommand>
#include <QVector>
#include <optional>

#include "image/language.h"
#include "session/document.h"
#include "session/edit_label.h"

namespace varel {

class Session;

/// The states one edit changed, kept so that it can be undone and redone.
struct DocumentChange {
    QVector<int> rows;                            ///< changed rows, 1-128
    QVector<ChannelRowState> rowsBefore;          ///< their states before the edit
    QVector<ChannelRowState> rowsAfter;           ///< and after it
    std::optional<SettingsModel> settingsBefore;  ///< set when the settings changed
    std::optional<SettingsModel> settingsAfter;
    Language language = Language::Chinese;  ///< language of the grid texts in the states
    bool replacesDocument = false;          ///< a decode: undo and redo show every editor afresh

    /// The difference between two documents; empty when they are equal.
    static DocumentChange Between(const Document& before, const Document& after, Language lang);
    bool empty() const { return rows.isEmpty() && !settingsBefore; }
};

/// An undo step over a DocumentChange. The change is already applied when it is pushed.
class DocumentEditCommand : public QUndoCommand {
public:
    DocumentEditCommand(Session& session, const EditLabel& label, DocumentChange change,
                        int mergeKey, bool closesMerge);

    /// What the step is called in the Edit menu.
    const EditLabel& label() const { return m_label; }

    void undo() override;
    void redo() override;
    // The key on both sides of a merge: an edit that closes the merge must still reach the open
    // step it closes (mergeWith refuses a step that is already closed).
    int id() const override { return m_mergeKey; }
    bool mergeWith(const QUndoCommand* other) override;
    /// True while later edits with mergeKey still merge into this step.
    bool isOpenFor(int mergeKey) const { return m_open && m_mergeKey == mergeKey; }

private:
    Session& m_session;
    EditLabel m_label;
    DocumentChange m_change;
    int m_mergeKey;
    bool m_open;
    bool m_applied = true;  // the first redo() from push() finds the change made already
};

}  // namespace varel
