#include "ui/pick_list.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QTimer>

namespace varel {

PickList::PickList(QWidget* parent) : QComboBox(parent) {
    hide();
    connect(this, &QComboBox::activated, this, [this](int position) {
        if (m_open) emit picked(position);
    });
}

void PickList::open() {
    ++m_serial;
    m_open = true;
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    // The list's frame hides before the toolkit reports the pick, so the end of the editing
    // is decided once the closing has run its course. The frame is watched from the first
    // opening on: asking for it makes it, which a list never opened need not pay for.
    view()->parentWidget()->installEventFilter(this);
    showPopup();
}

bool PickList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && m_open && watched == view()->parentWidget()) {
        const unsigned serial = m_serial;
        QTimer::singleShot(0, this, [this, serial] { finish(serial); });
    }
    return QComboBox::eventFilter(watched, event);
}

void PickList::finish(unsigned serial) {
    if (serial != m_serial || !m_open) return;
    m_open = false;
    emit closed();
}

}  // namespace varel
