#pragma once
// What an undo step is called in the Edit menu. A step may be undone long after a language
// switch, so its label keeps the text in a form that can be shown in either language: a text of
// the program's own (translated when shown), a caption of the data vocabulary, or a cell of the
// channel table (its column's header and the channel number).
#include <QString>

#include "image/language.h"

namespace varel {

/// The label of an undo step.
class EditLabel {
public:
    /// A text of the program's own: a source text of the context "varel::EditLabel", marked
    /// with QT_TRANSLATE_NOOP; null for no label.
    EditLabel(const char* source = nullptr) : m_source(source) {}  // NOLINT: implicit
    /// A caption of the data vocabulary.
    EditLabel(const Bilingual& caption) : m_caption(caption) {}  // NOLINT: implicit
    /// A cell of the channel table: its column (1 to 10) of channel row (1 to 128).
    static EditLabel Cell(int row, int column);

    /// The label in a language (the program's own texts in the language installed now).
    QString text(Language lang) const;

private:
    const char* m_source = nullptr;
    Bilingual m_caption;
    int m_row = 0;  // a channel, for the label of a cell
};

}  // namespace varel
