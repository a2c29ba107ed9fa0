#pragma once
// The codec's texts (UTF-8 std::string, bilingual pairs) as the editors' controls show them.
#include <QString>
#include <string>

#include "image/language.h"
#include "image/messages.h"

namespace varel {

/// A codec text as a QString.
inline QString QtText(const std::string& text) {
    return QString::fromStdString(text);
}

/// The text of a bilingual pair in a language as a QString.
inline QString QtText(const Bilingual& text, Language lang) {
    return QtText(text.in(lang));
}

/// A message of the shared table in a language.
inline QString QtText(Message message, Language lang) {
    return QtText(MessageText(message, lang));
}

}  // namespace varel
