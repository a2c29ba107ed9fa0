#pragma once
// The key filter of a text box: only the characters its kind of box accepts get in, letters are
// turned to upper case where the box wants it, and the box's length limit stops typing and
// pasting, never text that the program itself puts into the box.
#include <QObject>

#include "image/typed_input.h"

class QLineEdit;

namespace varel {

/// Filters what the user types or pastes into one line edit.
class CharFilter : public QObject {
    Q_OBJECT

public:
    /// Attaches a filter to edit (which owns it). maxLength 0: no limit.
    static CharFilter* attach(QLineEdit* edit, KeySet keys, int maxLength = 0);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CharFilter(QLineEdit* edit, KeySet keys, int maxLength);
    // The characters of text that typing would let in at the cursor, given what the box holds.
    QString admit(const QString& text) const;
    void insertAdmitted(const QString& text);
    void paste();

    QLineEdit* m_edit;
    KeySet m_keys;
    int m_maxLength;
};

}  // namespace varel
