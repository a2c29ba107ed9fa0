#pragma once
// The channel table editor Form1: the 128 channels in the grid Grid1, edited in place by editors
// laid over the cell: Text1 for the two frequencies, Text2 for the name, Combo1 for the two tones
// and the lists Combo5(5) to Combo5(9) for power, busy lock, scan, bandwidth and TX prohibit.
//
// The grid only shows the session's channel table; every commit is one Session::edit, and the
// rows follow the table on channelRowsChanged.
#include <QVector>
#include <QWidget>
#include <array>
#include <string>

class QLineEdit;

namespace varel {

class ChannelActions;
class ChannelFlags;
class ChannelGrid;
class LeaveWatcher;
class MessageBoxes;
class PickList;
class Session;

/// The channel table editor Form1.
class ChannelEditor : public QWidget {
    Q_OBJECT

public:
    /// Builds the window with its grid and hidden cell editors over the session's channel
    /// table; its messages go through boxes.
    ChannelEditor(Session& session, MessageBoxes& boxes);

    /// Writes every static text in the current language: caption, header cells, list entries.
    void retranslate();

    /// Commits what the frequency or name editor still holds, as if it had lost the focus; the
    /// session asks for it before a read, an encode and an undo.
    void commitPendingEdits();

    /// Gives the grid the keyboard, with a current cell (channel 1's receive frequency when it
    /// has none).
    void takeKeyboard();

    /// The commands on ranges of channels (the Edit menu's Channels submenu).
    ChannelActions* actions() const { return m_actions; }
    /// The marks of doubtful values in the grid.
    ChannelFlags* flags() const { return m_flags; }

    /// The size the window opens at, its frame included, in pixels.
    static QSize outerSize();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGrid(QWidget* client);
    void buildEditors();
    void showRows(const QVector<int>& rows);
    void openEditor();
    void typeOnCell(int key, const QString& text);
    void cancelText(QLineEdit* editor);
    void editorShown(bool open);
    void placeOver(QWidget* editor, bool keepHeight) const;
    void leaveFrequency();
    void leaveName();
    void closeText(QLineEdit* editor);
    void commitPick(int position);
    void closeList(PickList* list);
    void discardEditors();
    void StartForm();

    Session& m_session;
    MessageBoxes& m_boxes;
    ChannelGrid* m_grid = nullptr;
    ChannelActions* m_actions = nullptr;
    ChannelFlags* m_flags = nullptr;
    QLineEdit* m_text1 = nullptr;
    QLineEdit* m_text2 = nullptr;
    LeaveWatcher* m_text1Leave = nullptr;
    LeaveWatcher* m_text2Leave = nullptr;
    PickList* m_combo1 = nullptr;
    std::array<PickList*, 12> m_combo5{};  // elements 5 to 11; the index is the element number
    int m_currentRow = 1;                  // CurrentRow, channel 1 to 128
    int m_currentCol = 1;                  // CurrentCol, grid column 0 to 10
    std::string m_nameAtOpen;              // the name when its editor opened, for Escape
    bool m_discarding = false;             // editors are being closed without a commit
};

}  // namespace varel
