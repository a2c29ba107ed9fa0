#include "editors/channel_grid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace varel {

namespace {

constexpr int kNotch = 120;  // one wheel notch in eighths of a degree

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

void ChannelGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        emit editRequested();
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
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
        emit editRequested();
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

}  // namespace varel
