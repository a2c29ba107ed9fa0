#pragma once
// A drop-down list used as a cell editor: it is shown with its list dropped down, and it takes a
// value only when the user picks an entry in that open list (by mouse or by keyboard). Closing
// the list in any other way picks nothing. Keys and wheel turns on the closed box never count,
// because the box is hidden as soon as its list closes.
#include <QComboBox>

namespace varel {

/// A list box that reports picks from its open list only.
class PickList : public QComboBox {
    Q_OBJECT

public:
    /// An empty, hidden list box.
    explicit PickList(QWidget* parent = nullptr);

    /// Shows the box with its list dropped down and the keyboard focus in it.
    void open();

signals:
    /// The user picked the entry at position in the open list.
    void picked(int position);
    /// The list closed, with or without a pick; the owner hides the box.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finish(unsigned serial);

    bool m_open = false;
    unsigned m_serial = 0;  // counts open() calls, so that a late close never ends a newer one
};

}  // namespace varel
