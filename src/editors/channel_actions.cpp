#include "editors/channel_actions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>

#include "editors/channel_flags.h"
#include "editors/channel_grid.h"
#include "image/channel_columns.h"
#include "lists/cell_paste.h"
#include "lists/channel_clip.h"
#include "lists/channel_commands.h"
#include "session/message_boxes.h"
#include "session/session.h"
#include "ui/qt_text.h"

namespace varel {

namespace {

// Captions of the actions by objectName, in menu order; nullptr marks a separator.
struct ActionText {
    const char* name;
    const char* caption;
};

const ActionText kTexts[] = {
    {"MNChannelCopy", QT_TRANSLATE_NOOP("varel::ChannelActions", "Copy")},
    {"MNChannelCut", QT_TRANSLATE_NOOP("varel::ChannelActions", "Cut")},
    {"MNChannelPaste", QT_TRANSLATE_NOOP("varel::ChannelActions", "Paste")},
    {"MNChannelClear", QT_TRANSLATE_NOOP("varel::ChannelActions", "Clear")},
    {"MNChannelInsert", QT_TRANSLATE_NOOP("varel::ChannelActions", "Insert Channel")},
    {"MNChannelDelete", QT_TRANSLATE_NOOP("varel::ChannelActions", "Delete Channels")},
    {"MNChannelUp", QT_TRANSLATE_NOOP("varel::ChannelActions", "Move Up")},
    {"MNChannelDown", QT_TRANSLATE_NOOP("varel::ChannelActions", "Move Down")},
    {"MNChannelSort", QT_TRANSLATE_NOOP("varel::ChannelActions", "Sort by Receive Frequency")},
    {"MNChannelGoTo", QT_TRANSLATE_NOOP("varel::ChannelActions", "Go to Channel...")},
    {"MNChannelNextProblem", QT_TRANSLATE_NOOP("varel::ChannelActions", "Next Problem")},
};

ChannelRange RangeOf(const ChannelRows& rows) {
    return {rows.first, rows.last};
}

}  // namespace

ChannelActions::ChannelActions(Session& session, MessageBoxes& boxes, ChannelGrid& grid,
                               ChannelFlags& flags)
    : QObject(&grid), m_session(session), m_boxes(boxes), m_grid(grid), m_flags(flags) {
    add("MNChannelCopy", QKeySequence::Copy, &ChannelActions::copy);
    add("MNChannelCut", QKeySequence::Cut, &ChannelActions::cut);
    add("MNChannelPaste", QKeySequence::Paste, &ChannelActions::paste);
    m_actions.push_back(nullptr);
    add("MNChannelClear", QKeySequence(Qt::Key_Delete), &ChannelActions::clear);
    add("MNChannelInsert", QKeySequence(Qt::Key_Insert), &ChannelActions::insert);
    add("MNChannelDelete", QKeySequence(Qt::CTRL | Qt::Key_Delete), &ChannelActions::remove);
    add("MNChannelUp", QKeySequence(Qt::ALT | Qt::Key_Up), &ChannelActions::moveUp);
    add("MNChannelDown", QKeySequence(Qt::ALT | Qt::Key_Down), &ChannelActions::moveDown);
    add("MNChannelSort", QKeySequence(), &ChannelActions::sort);
    m_actions.push_back(nullptr);
    add("MNChannelGoTo", QKeySequence(Qt::CTRL | Qt::Key_G), &ChannelActions::goTo);
    add("MNChannelNextProblem", QKeySequence(Qt::Key_F8), &ChannelActions::nextProblem);

    m_menu = new QMenu(&m_grid);
    for (QAction* a : m_actions) {
        if (a == nullptr)
            m_menu->addSeparator();
        else
            m_menu->addAction(a);
    }
    connect(&m_grid, &ChannelGrid::menuRequested, this,
            [this](const QPoint& at) { m_menu->popup(m_grid.viewport()->mapToGlobal(at)); });
}

QAction* ChannelActions::add(const char* name, const QKeySequence& key,
                             void (ChannelActions::*run)()) {
    auto* action = new QAction(this);
    action->setObjectName(name);
    action->setShortcut(key);
    // The keys belong to the grid: in the other windows' boxes they copy and paste text.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_grid.addAction(action);
    connect(action, &QAction::triggered, this, run);
    m_actions.push_back(action);
    return action;
}

void ChannelActions::retranslate() {
    for (const ActionText& t : kTexts)
        if (auto* a = findChild<QAction*>(t.name)) a->setText(tr(t.caption));
}

void ChannelActions::setEditorOpen(bool open) {
    m_editorOpen = open;
    updateAvailability();
}

void ChannelActions::setTransferRunning(bool running) {
    m_transferRunning = running;
    updateAvailability();
}

void ChannelActions::updateAvailability() {
    for (QAction* a : m_actions)
        if (a != nullptr) a->setEnabled(!m_editorOpen && !m_transferRunning);
}

void ChannelActions::copy() {
    // The exchange text for other programs, and beside it the channels exactly as held.
    const ChannelRange range = RangeOf(m_grid.range());
    auto* data = new QMimeData;
    data->setText(QtText(CopyChannels(m_session.channels().model(), range)));
    data->setData(kChannelClipMime, QByteArray::fromStdString(EncodeChannelClip(
                                        m_session.channels(), range, m_session.language())));
    QApplication::clipboard()->setMimeData(data);
}

bool ChannelActions::clipboardHoldsChannels() const {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr &&
           (data->hasFormat(kChannelClipMime) || HoldsSeveralCells(data->text().toStdString()));
}

void ChannelActions::cut() {
    copy();
    const ChannelRange range = RangeOf(m_grid.range());
    m_session.edit(QT_TRANSLATE_NOOP("varel::EditLabel", "Cut channels"),
                   [&](Document& d) { ClearChannels(d.channels, range); });
}

void ChannelActions::paste() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr) return;
    const int first = m_grid.range().first;
    const int column = m_grid.currentColumn();
    const FrequencyBand band = m_session.band();
    const Language lang = m_session.language();
    const char* label = QT_TRANSLATE_NOOP("varel::EditLabel", "Paste channels");
    CsvImport result;
    if (data->hasFormat(kChannelClipMime)) {
        const auto clip = DecodeChannelClip(data->data(kChannelClipMime).toStdString());
        if (!clip) {
            m_boxes.LocalMsgBox(
                tr("The channels on the clipboard are damaged: nothing was pasted."),
                MsgStyle::OkOnly | MsgStyle::Exclamation, QString());
            m_grid.setFocus(Qt::OtherFocusReason);
            return;
        }
        m_session.edit(
            label, [&](Document& d) { result = PasteChannelClip(*clip, first, d.channels, lang); });
    } else {
        const std::string text = data->text().toStdString();
        m_session.edit(label, [&](Document& d) {
            result = PasteText(text, first, column, d.channels, band, lang);
        });
    }
    if (!result.channels.empty()) {
        const auto [low, high] =
            std::minmax_element(result.channels.begin(), result.channels.end());
        m_grid.selectRange({*low, *high}, *low);
    }
    if (result.issues.empty()) return;
    const QString report = QtText(CsvReportText(result, lang));
    const QString summary = report.trimmed().section('\n', -1);
    m_boxes.ShowReport(summary, report, tr("Paste"));
    m_grid.setFocus(Qt::OtherFocusReason);
}

void ChannelActions::clear() {
    const ChannelRange range = RangeOf(m_grid.range());
    m_session.edit(QT_TRANSLATE_NOOP("varel::EditLabel", "Clear channels"),
                   [&](Document& d) { ClearChannels(d.channels, range); });
}

void ChannelActions::insert() {
    const int row = m_grid.currentChannel();
    bool inserted = false;
    m_session.edit(QT_TRANSLATE_NOOP("varel::EditLabel", "Insert channel"),
                   [&](Document& d) { inserted = InsertChannel(d.channels, row); });
    if (inserted) return;
    m_boxes.LocalMsgBox(
        tr("Channel %1 is in use: no channel can be inserted before it.").arg(kChannelCount),
        MsgStyle::OkOnly | MsgStyle::Exclamation, QString());
    m_grid.setFocus(Qt::OtherFocusReason);
}

void ChannelActions::remove() {
    const ChannelRows rows = m_grid.range();
    m_session.edit(QT_TRANSLATE_NOOP("varel::EditLabel", "Delete channels"),
                   [&](Document& d) { DeleteChannels(d.channels, RangeOf(rows)); });
    m_grid.selectRange({rows.first, rows.first}, rows.first);
}

void ChannelActions::moveUp() {
    move(-1);
}

void ChannelActions::moveDown() {
    move(1);
}

void ChannelActions::move(int step) {
    const ChannelRows rows = m_grid.range();
    const int current = m_grid.currentChannel();
    bool moved = false;
    m_session.edit(QT_TRANSLATE_NOOP("varel::EditLabel", "Move channels"),
                   [&](Document& d) { moved = MoveChannels(d.channels, RangeOf(rows), step); });
    // The range follows its channels.
    if (moved) m_grid.selectRange({rows.first + step, rows.last + step}, current + step);
}

void ChannelActions::sort() {
    m_session.edit(QT_TRANSLATE_NOOP("varel::EditLabel", "Sort channels"),
                   [](Document& d) { SortByReceiveFrequency(d.channels); });
}

void ChannelActions::goTo() {
    const int channel =
        m_boxes.AskNumber(tr("Channel number (1-%1):").arg(kChannelCount), tr("Go to Channel"), 1,
                          kChannelCount, m_grid.currentChannel());
    if (channel > 0) m_grid.goTo(channel, kRxFreqColumn);
    m_grid.setFocus(Qt::OtherFocusReason);  // back from the question, for the keyboard
}

void ChannelActions::nextProblem() {
    const auto cell = m_flags.next(m_grid.currentChannel(), m_grid.currentColumn());
    if (cell) m_grid.goTo(cell->first, cell->second);
}

}  // namespace varel
