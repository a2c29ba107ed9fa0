#include "ui/char_filter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

namespace varel {

CharFilter* CharFilter::attach(QLineEdit* edit, KeySet keys, int maxLength) {
    return new CharFilter(edit, keys, maxLength);
}

CharFilter::CharFilter(QLineEdit* edit, KeySet keys, int maxLength)
    : QObject(edit), m_edit(edit), m_keys(keys), m_maxLength(maxLength) {
    edit->installEventFilter(this);
    edit->setAcceptDrops(false);
    // Typed text goes through the filter, not through an input method's own composition.
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
}

QString CharFilter::admit(const QString& text) const {
    int room = m_maxLength > 0 ? m_maxLength - static_cast<int>(m_edit->text().size()) +
                                     static_cast<int>(m_edit->selectedText().size())
                               : static_cast<int>(text.size());
    QString admitted;
    for (const char32_t typed : text.toUcs4()) {
        if (room <= 0) break;
        if (const auto c = FilterKey(m_keys, typed)) {
            admitted += QString::fromUcs4(&*c, 1);
            --room;
        }
    }
    return admitted;
}

void CharFilter::insertAdmitted(const QString& text) {
    const QString admitted = admit(text);
    if (!admitted.isEmpty()) m_edit->insert(admitted);
}

void CharFilter::paste() {
    if (!m_edit->isReadOnly()) insertAdmitted(QApplication::clipboard()->text());
}

bool CharFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_edit) return false;
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Paste)) {
                paste();
                return true;
            }
            // Text that comes with Alt (a key the menus did not take) goes through the filter as
            // well: the box would otherwise insert it as it is.
            const QString text = key->text();
            const bool printable = !text.isEmpty() && text.at(0).isPrint() &&
                                   !(key->modifiers() & Qt::ControlModifier);
            if (!printable) return false;  // editing keys, Enter, shortcuts
            insertAdmitted(text);
            return true;
        }
        case QEvent::MouseButtonRelease: {
            // The middle button pastes the selection on desktops that have one; that text is
            // filtered like typed text.
            QClipboard* clipboard = QApplication::clipboard();
            if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton ||
                !clipboard->supportsSelection())
                return false;
            if (!m_edit->isReadOnly()) {
                m_edit->deselect();
                insertAdmitted(clipboard->text(QClipboard::Selection));
            }
            return true;
        }
        case QEvent::InputMethod: {
            auto* im = static_cast<QInputMethodEvent*>(event);
            insertAdmitted(im->commitString());
            return true;
        }
        case QEvent::ContextMenu: {
            // The standard menu, with Paste going through the filter as well.
            QMenu* menu = m_edit->createStandardContextMenu();
            for (QAction* a : menu->actions()) {
                if (a->objectName() != "edit-paste") continue;
                disconnect(a, &QAction::triggered, nullptr, nullptr);
                connect(a, &QAction::triggered, this, &CharFilter::paste);
            }
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        default:
            return false;
    }
}

}  // namespace varel
