#pragma once
// The grid Grid1 of the channel table editor: a table whose mouse and keys behave as the editor
// needs them. A left press selects exactly one cell and asks for its editor at once, a drag never
// widens the selection, a right press only takes the focus, Enter asks for the editor of the
// current cell, and one wheel notch moves the top row by exactly one.
//
// As in a spreadsheet, the arrow, page, Home and End keys move the current cell, and Ctrl+Home
// and Ctrl+End to the first and the last channel, always into view; Tab and Shift+Tab move to
// the next or previous cell without ever leaving the grid, and a character typed on a cell is
// offered to the editor. Shift with a click or with the arrow and page keys extends a range of
// whole channels from the current one, shown as selected rows; a plain click or move ends it.
#include <QTableWidget>

namespace varel {

/// A range of whole channels, first to last (1-128).
struct ChannelRows {
    int first = 1;
    int last = 1;
};

/// Grid1: channel rows 1-128 are table rows 0-127 (see QtRow / ChannelRow).
class ChannelGrid : public QTableWidget {
    Q_OBJECT

public:
    /// An empty grid of rows x columns cells.
    ChannelGrid(int rows, int columns, QWidget* parent = nullptr);

    /// The table row of channel row 1-128.
    static int QtRow(int channelRow) { return channelRow - 1; }
    /// The channel row 1-128 of a table row.
    static int ChannelRow(int qtRow) { return qtRow + 1; }
    /// Typing on the grid does not search the cells.
    void keyboardSearch(const QString&) override {}

    /// The channel of the current cell (1-128).
    int currentChannel() const { return ChannelRow(qMax(0, currentRow())); }
    /// The range of channels: from the range's anchor to the current channel, or the current
    /// channel alone when no range is open.
    ChannelRows range() const;
    /// True while Shift has opened a range.
    bool hasRange() const { return m_anchor > 0; }
    /// Shows a range of channels (the program moved it) with the current cell in channel
    /// current; a range of one channel is no range.
    void selectRange(ChannelRows rows, int current);
    /// Makes cell (channel, column) the current one, alone, and scrolls it into view.
    void goTo(int channel, int column);
    /// Moves the current cell to the next (or previous) cell of the table, row after row;
    /// at either end it stays.
    void stepCell(bool forward);

signals:
    /// The user pressed the left button on a cell (now the current cell) or Enter on the grid:
    /// the editor of the current cell is wanted.
    void editRequested();
    /// A character was typed on the current cell with no editor open.
    void typed(int key, const QString& text);
    /// The context menu is wanted (Menu key or Shift+F10) at a point of the viewport.
    void menuRequested(const QPoint& at);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    static CursorAction cursorFor(int key);
    void extendTo(const QModelIndex& index);

    int m_wheelDelta = 0;  // eighths of a degree not yet turned into whole notches
    int m_anchor = 0;      // the channel a range started from; 0: no range
};

}  // namespace varel
