#pragma once
// The program's state for the whole run: the two image buffers, the document, the language and
// the undo history. Every change of the document goes through edit(), so that undo, encode and
// the language switch see one truth; the images change only through loadImage() and encode().
#include <QObject>
#include <QString>
#include <QUndoStack>
#include <QVector>
#include <functional>

#include "image/frequency_band.h"
#include "image/language.h"
#include "image/memory_image.h"
#include "session/document.h"
#include "session/edit_label.h"

namespace varel {

struct DocumentChange;

/// The program's state, owned by the main window.
class Session : public QObject {
    Q_OBJECT

public:
    /// A fresh state: zeroed images, every channel empty, every setting at its start value,
    /// LanguageFlag 0.
    explicit Session(QObject* parent = nullptr);

    /// InImage: what the last read or opened file brought, read by the decoder.
    const MemoryImage& InImage() const { return m_inImage; }
    /// OutImage: what the last encode() made, to be saved or written.
    const MemoryImage& OutImage() const { return m_outImage; }
    /// Replaces InImage with what a read (whole or broken off) or an opened file brought; the
    /// document changes only by a decode() after it.
    void loadImage(const MemoryImage& image) { m_inImage = image; }

    /// The document as it stands.
    const Document& document() const { return m_document; }
    const ChannelTable& channels() const { return m_document.channels; }
    const SettingsModel& settings() const { return m_document.settings; }
    /// The bounds of the band selected in the settings.
    FrequencyBand band() const;

    /// LanguageFlag as stored (0 Chinese, 1 English; other values are kept as they are).
    int languageFlag() const { return m_languageFlag; }
    /// The language texts are shown in: English for flag 1, Chinese for every other value.
    Language language() const;
    /// Sets LanguageFlag; the caller re-captions the windows and refreshes the grid.
    void setLanguageFlag(int flag) { m_languageFlag = flag; }

    /// Takes back the latest step of the undo history; nothing when there is none.
    void undo() { m_undo.undo(); }
    /// Makes the step Undo took back last again; nothing when there is none.
    void redo() { m_undo.redo(); }
    /// True when there is a step to take back.
    bool canUndo() const { return m_undo.canUndo(); }
    /// True when there is a step to make again.
    bool canRedo() const { return m_undo.canRedo(); }
    /// The steps in the history, those made and those taken back.
    int historySize() const { return m_undo.count(); }
    /// The steps made: Undo takes back the one at historyIndex(), counted from 1.
    int historyIndex() const { return m_undo.index(); }
    /// The label of the step Undo would take back, in the current language; empty when none.
    QString undoLabel() const;
    /// The label of the step Redo would make again, in the current language; empty when none.
    QString redoLabel() const;

    /// The one place where the user changes the document: runs `change`, and records what it
    /// changed as one undo step named `label` (nothing is recorded when nothing changed).
    /// Consecutive edits with the same mergeKey (>= 0) form one step until an edit with
    /// closesMerge ends it (for a name typed key by key and then committed).
    void edit(const EditLabel& label, const std::function<void(Document&)>& change,
              int mergeKey = -1, bool closesMerge = true);

    /// RefreshGrid in the current language after a language change; not an undo step.
    void refreshGrid();

    /// DecodeImage: InImage into the document, in the current language, the band as the image
    /// holds it (a change by the program: no question, the channel table not cleared by it).
    /// One undo step named `label` (nothing is recorded when nothing changed); its undo and
    /// redo put the whole document back as a decode does and never touch the images.
    void decode(const EditLabel& label);
    /// Asks every editor to commit an edit still being typed (aboutToEncode).
    void commitPendingEdits() { emit aboutToEncode(); }
    /// Before a read: a channel frequency still being typed is taken over; other editors keep
    /// what they hold (aboutToRead).
    void commitPendingFrequency() { emit aboutToRead(); }
    /// Asks the editors to close what is still being typed without taking it and to put their
    /// cell editors back to their start state, before the channel table is started afresh.
    void dropPendingEdits() { emit pendingEditsDropped(); }
    /// EncodeImage: commitPendingEdits(), then encodes the document into OutImage.
    void encode();

signals:
    /// Rows (1-128) of the channel table changed, model or grid texts.
    void channelRowsChanged(const QVector<int>& rows);
    /// Values of the settings model changed (an edit, an undo or redo, a decode).
    void settingsChanged(const QVector<varel::SettingId>& ids);
    /// The whole document was replaced by a decode (an opened file, a read), or the undo or
    /// redo of a decode put it back; every row and setting is told as changed after it.
    void documentReplaced();
    /// An encode is about to run: editors commit what is still being typed.
    void aboutToEncode();
    /// A read is about to start: the channel editor commits a frequency still being typed.
    void aboutToRead();
    /// What editors are still typing is to be dropped (see dropPendingEdits).
    void pendingEditsDropped();
    /// The undo history changed: a step was recorded, taken back or made again, or the history
    /// was started afresh.
    void historyChanged();

private:
    // The undo steps put their states back through applyState.
    friend class DocumentEditCommand;

    // Applies the states of an undo step, those after it (redo) or before it (undo).
    void applyState(const DocumentChange& change, bool after);
    // Records what `change` does as one step; a step that replaces the document tells every
    // editor to show it afresh.
    void record(const EditLabel& label, const std::function<void(Document&)>& change, int mergeKey,
                bool closesMerge, bool replacesDocument);
    // Tells that the whole document was replaced.
    void announceReplaced();

    MemoryImage m_inImage;
    MemoryImage m_outImage;
    Document m_document;
    int m_languageFlag = 0;
    QUndoStack m_undo;
};

/// Every row number 1 to 128.
QVector<int> AllRows();
/// Every settings value.
QVector<SettingId> AllSettings();
/// The settings values that differ between two models.
QVector<SettingId> ChangedSettings(const SettingsModel& before, const SettingsModel& after);

}  // namespace varel
