#pragma once
// The commands on ranges of channels: copy, cut, paste, clear, insert, delete, move, sort, go
// to a channel and go to the next doubtful value. Each is an action with its shortcut, shown in the
// Edit menu's Channels submenu and in the grid's context menu; each change is one Session::edit.
// The commands are unavailable while a cell editor is open and while a transfer runs.
#include <QObject>
#include <QString>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace varel {

class ChannelFlags;
class ChannelGrid;
class MessageBoxes;
class Session;
struct ChannelRows;

/// The channel commands of the channel table editor.
class ChannelActions : public QObject {
    Q_OBJECT

public:
    /// Actions over grid's range of the session's channels; their shortcuts work while the grid
    /// has the focus. Next Problem goes to the cells flags marks.
    ChannelActions(Session& session, MessageBoxes& boxes, ChannelGrid& grid, ChannelFlags& flags);

    /// The actions in menu order; null entries are separators.
    const std::vector<QAction*>& actions() const { return m_actions; }
    /// The context menu of the grid.
    QMenu* contextMenu() const { return m_menu; }
    /// Writes the actions' texts in the current language.
    void retranslate();
    /// Makes the commands available or not; both an open editor and a transfer take them away.
    void setEditorOpen(bool open);
    void setTransferRunning(bool running);
    /// True when the clipboard holds channels or several values for the table (the program's
    /// own format, or tab-separated text with a tab or several lines) rather than one value.
    bool clipboardHoldsChannels() const;
    /// Pastes the clipboard at the current cell as one step: the program's own format as whole
    /// channels exactly as copied, a channel list with its header through the list reader, any
    /// other text as values onto the cells (see PasteCells); problems are reported.
    void paste();

private:
    QAction* add(const char* name, const QKeySequence& key, void (ChannelActions::*run)());
    void updateAvailability();
    void copy();
    void cut();
    void clear();
    void insert();
    void remove();
    void moveUp();
    void moveDown();
    void move(int step);
    void sort();
    void goTo();
    void nextProblem();

    Session& m_session;
    MessageBoxes& m_boxes;
    ChannelGrid& m_grid;
    ChannelFlags& m_flags;
    std::vector<QAction*> m_actions;
    QMenu* m_menu = nullptr;
    bool m_editorOpen = false;
    bool m_transferRunning = false;
};

}  // namespace varel
