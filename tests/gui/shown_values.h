#pragma once
// What the editors show, as texts to compare: every cell of every grid, the text of every entry
// box that is not hidden, the entry of every list, the position of every slider and whether each
// check box and option is set. Windows that are closed count too: they show it when opened.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QStringList>
#include <QTableWidget>
#include <QWidget>

namespace varel::test {

/// The values the editors under `top` show, one "window/control: value" line each, in the
/// order the controls were made.
inline QStringList ShownValues(const QWidget& top) {
    QStringList lines;
    for (const QWidget* w : top.findChildren<QWidget*>()) {
        const QWidget* form = w->window();
        for (const QWidget* p = w; p != nullptr && p != &top; p = p->parentWidget())
            if (p->objectName().startsWith("Form") || p->objectName() == "BandSelector") form = p;
        const QString place = form->objectName() + "/" + w->objectName() + ": ";
        if (const auto* grid = qobject_cast<const QTableWidget*>(w)) {
            for (int r = 0; r < grid->rowCount(); ++r)
                for (int c = 0; c < grid->columnCount(); ++c)
                    if (const QTableWidgetItem* item = grid->item(r, c))
                        lines << place + QString("%1,%2 %3").arg(r).arg(c).arg(item->text());
        } else if (const auto* box = qobject_cast<const QLineEdit*>(w)) {
            // A cell editor that is closed shows nothing; a list's own box is its entry.
            if (!box->isHidden() && qobject_cast<const QComboBox*>(w->parentWidget()) == nullptr)
                lines << place + box->text();
        } else if (const auto* list = qobject_cast<const QComboBox*>(w)) {
            if (!list->isHidden()) lines << place + list->currentText();
        } else if (const auto* slider = qobject_cast<const QSlider*>(w)) {
            lines << place + QString::number(slider->value());
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            if (button->isCheckable()) lines << place + (button->isChecked() ? "on" : "off");
        }
    }
    return lines;
}

}  // namespace varel::test
