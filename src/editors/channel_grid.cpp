#include "editors/channel_grid.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace varel {

namespace {

constexpr int kNotch = 120;  // one wheel notch in eighths of a degree

bool IsRangeKey(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
           key == Qt::Key_PageDown;
}

bool IsMoveKey(int key) {
    return IsRangeKey(key) || key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home ||
           key == Qt::Key_End;
}

}  // namespace

ChannelGrid::ChannelGrid(int rows, int columns, QWidget* parent)
    : QTableWidget(rows, columns, parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setAutoScroll(false);
    setTabKeyNavigation(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

ChannelRows ChannelGrid::range() const {
    const int current = currentChannel();
    if (m_anchor == 0) return {current, current};
    return {qMin(m_anchor, current), qMax(m_anchor, current)};
}

void ChannelGrid::selectRange(ChannelRows rows, int current) {
    const QModelIndex index = model()->index(QtRow(current), qMax(1, currentColumn()));
    if (rows.first == rows.last) {
        m_anchor = 0;
        setCurrentIndex(index);
        return;
    }
    m_anchor = current == rows.first ? rows.last : rows.first;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(model()->index(QtRow(rows.first), 0),
                                            model()->index(QtRow(rows.last), columnCount() - 1)),
                             QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void ChannelGrid::goTo(int channel, int column) {
    m_anchor = 0;
    const QModelIndex index = model()->index(QtRow(channel), column);
    setCurrentIndex(index);
    scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void ChannelGrid::stepCell(bool forward) {
    const int last = columnCount() - 1;
    int row = qMax(0, currentRow());
    int column = qMax(1, currentColumn()) + (forward ? 1 : -1);
    if (column > last) {
        column = 1;
        ++row;
    } else if (column < 1) {
        column = last;
        --row;
    }
    if (row < 0 || row >= rowCount()) return;
    m_anchor = 0;
    setCurrentCell(row, column);
    scrollTo(currentIndex());
}

QAbstractItemView::CursorAction ChannelGrid::cursorFor(int key) {
    switch (key) {
        case Qt::Key_Up:
            return MoveUp;
        case Qt::Key_Down:
            return MoveDown;
        case Qt::Key_PageUp:
            return MovePageUp;
        default:
            return MovePageDown;
    }
}

void ChannelGrid::extendTo(const QModelIndex& index) {
    if (!index.isValid()) return;
    if (m_anchor == 0) m_anchor = currentChannel();
    const int to = ChannelRow(index.row());
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    selectionModel()->select(
        QItemSelection(model()->index(QtRow(qMin(m_anchor, to)), 0),
                       model()->index(QtRow(qMax(m_anchor, to)), columnCount() - 1)),
        QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void ChannelGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier)) {
        // Shift and a click extend the range of channels; no editor opens.
        setFocus(Qt::MouseFocusReason);
        extendTo(index);
        event->accept();
        return;
    }
    m_anchor = 0;
    QTableWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && index.isValid()) emit editRequested();
}

void ChannelGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a press like the first.
    mousePressEvent(event);
}

void ChannelGrid::mouseMoveEvent(QMouseEvent* event) {
    // Moving with a button held never selects a range of cells.
    if (event->buttons() != Qt::NoButton) {
        event->accept();
        return;
    }
    QTableWidget::mouseMoveEvent(event);
}

void ChannelGrid::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && currentIndex().isValid()) {
        emit editRequested();
        return;
    }
    if (mods == Qt::ShiftModifier && IsRangeKey(key)) {
        extendTo(moveCursor(cursorFor(key), Qt::NoModifier));
        return;
    }
    const bool toEitherEnd =
        mods == Qt::ControlModifier && (key == Qt::Key_Home || key == Qt::Key_End);
    if ((mods == Qt::NoModifier && IsMoveKey(key)) || toEitherEnd) {
        // The cell the key moves to comes into view (Ctrl+Home and Ctrl+End: the first or the
        // last channel).
        m_anchor = 0;
        QTableWidget::keyPressEvent(event);
        scrollTo(currentIndex());
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() &&
        !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        emit typed(key, text);
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void ChannelGrid::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QTableWidget::wheelEvent(event);
        return;
    }
    // One row per notch; the scroll bar keeps the top row within the first and the last row.
    m_wheelDelta += delta;
    const int notches = m_wheelDelta / kNotch;
    m_wheelDelta -= notches * kNotch;
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() - notches);
    event->accept();
}

void ChannelGrid::contextMenuEvent(QContextMenuEvent* event) {
    // The right button only takes the focus; the menu opens from the keyboard.
    event->accept();
    if (event->reason() != QContextMenuEvent::Keyboard) return;
    emit menuRequested(visualRect(currentIndex()).center());
}

bool ChannelGrid::focusNextPrevChild(bool next) {
    // Tab and Shift+Tab move between the cells and never leave the grid.
    stepCell(next);
    return true;
}

}  // namespace varel
