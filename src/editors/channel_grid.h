#pragma once
// The grid Grid1 of the channel table editor: a table whose mouse and keys behave as the editor
// needs them. A left press selects exactly one cell and asks for its editor at once, a drag never
// widens the selection, a right press only takes the focus, Enter asks for the editor of the
// current cell, and one wheel notch moves the top row by exactly one.
#include <QTableWidget>

namespace varel {

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

signals:
    /// The user pressed the left button on a cell (now the current cell) or Enter on the grid:
    /// the editor of the current cell is wanted.
    void editRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int m_wheelDelta = 0;  // eighths of a degree not yet turned into whole notches
};

}  // namespace varel
