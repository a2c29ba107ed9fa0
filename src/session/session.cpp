#include "session/session.h"

#include "image/image_codec.h"
#include "session/document_edit.h"

namespace varel {

QVector<int> AllRows() {
    QVector<int> rows;
    for (int r = 1; r <= static_cast<int>(kChannelCount); ++r) rows.append(r);
    return rows;
}

QVector<SettingId> AllSettings() {
    QVector<SettingId> ids;
    for (int id = 0; id < kSettingCount; ++id) ids.append(static_cast<SettingId>(id));
    return ids;
}

QVector<SettingId> ChangedSettings(const SettingsModel& before, const SettingsModel& after) {
    QVector<SettingId> ids;
    for (const SettingId id : AllSettings())
        if (before.index(id) != after.index(id) || before.text(id) != after.text(id) ||
            before.number(id) != after.number(id) || before.checked(id) != after.checked(id))
            ids.append(id);
    return ids;
}

Session::Session(QObject* parent) : QObject(parent) {
    // Every change of the history moves its index, also a merge and a fresh start.
    connect(&m_undo, &QUndoStack::indexChanged, this, &Session::historyChanged);
}

FrequencyBand Session::band() const {
    return BandBounds(settings().band()).value_or(FrequencyBand{});
}

Language Session::language() const {
    return m_languageFlag == 1 ? Language::English : Language::Chinese;
}

QString Session::undoLabel() const {
    const auto* step = dynamic_cast<const DocumentEditCommand*>(m_undo.command(m_undo.index() - 1));
    return step != nullptr ? step->label().text(language()) : QString();
}

QString Session::redoLabel() const {
    const auto* step = dynamic_cast<const DocumentEditCommand*>(m_undo.command(m_undo.index()));
    return step != nullptr ? step->label().text(language()) : QString();
}

void Session::edit(const EditLabel& label, const std::function<void(Document&)>& change,
                   int mergeKey, bool closesMerge) {
    record(label, change, mergeKey, closesMerge, false);
}

void Session::record(const EditLabel& label, const std::function<void(Document&)>& change,
                     int mergeKey, bool closesMerge, bool replacesDocument) {
    const Document before = m_document;
    change(m_document);
    DocumentChange diff = DocumentChange::Between(before, m_document, language());
    diff.replacesDocument = replacesDocument;
    if (diff.empty()) {
        // A commit that changes nothing still ends the typing it belongs to.
        if (closesMerge && mergeKey >= 0 && m_undo.index() > 0) {
            const auto* top =
                dynamic_cast<const DocumentEditCommand*>(m_undo.command(m_undo.index() - 1));
            if (top != nullptr && top->isOpenFor(mergeKey))
                m_undo.push(new DocumentEditCommand(*this, label, diff, mergeKey, true));
        }
        // A document decoded afresh is shown afresh, also when it equals the one before.
        if (replacesDocument) announceReplaced();
        return;
    }
    const QVector<int> rows = diff.rows;
    const QVector<SettingId> settings = diff.settingsBefore
                                            ? ChangedSettings(before.settings, m_document.settings)
                                            : QVector<SettingId>();
    m_undo.push(new DocumentEditCommand(*this, label, std::move(diff), mergeKey, closesMerge));
    if (replacesDocument) return announceReplaced();
    if (!rows.isEmpty()) emit channelRowsChanged(rows);
    if (!settings.isEmpty()) emit settingsChanged(settings);
}

void Session::applyState(const DocumentChange& change, bool after) {
    const QVector<ChannelRowState>& states = after ? change.rowsAfter : change.rowsBefore;
    const std::optional<SettingsModel>& settings =
        after ? change.settingsAfter : change.settingsBefore;
    for (int i = 0; i < change.rows.size(); ++i) {
        m_document.channels.setRow(change.rows[i], states[i]);
        // Texts recorded before a language change follow the language now in force.
        if (change.language != language())
            m_document.channels.RefreshRow(change.rows[i], language());
    }
    QVector<SettingId> changed;
    if (settings) {
        changed = ChangedSettings(m_document.settings, *settings);
        m_document.settings = *settings;
    }
    if (change.replacesDocument) return announceReplaced();
    if (!change.rows.isEmpty()) emit channelRowsChanged(change.rows);
    if (!changed.isEmpty()) emit settingsChanged(changed);
}

void Session::announceReplaced() {
    emit documentReplaced();
    emit channelRowsChanged(AllRows());
    emit settingsChanged(AllSettings());
}

void Session::refreshGrid() {
    m_document.channels.RefreshGrid(language());
    emit channelRowsChanged(AllRows());
}

void Session::decode(const EditLabel& label) {
    record(
        label,
        [this](Document& d) {
            Configuration cfg{d.channels.model(), d.settings};
            DecodeImage(m_inImage, cfg, language());
            d.channels.model() = cfg.channels;
            d.channels.SetGrid();
            d.settings = cfg.settings;
        },
        -1, true, true);
}

void Session::encode() {
    commitPendingEdits();
    EncodeImage(Configuration{m_document.channels.model(), m_document.settings}, m_outImage);
}

}  // namespace varel
