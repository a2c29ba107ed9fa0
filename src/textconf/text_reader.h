#pragma once
// The strict reader of configuration texts. Any YAML layout of the same content is read (flow
// or block style, quoting, comments, key order); anything else is refused with the line it is
// on: a line that is not YAML, an unknown or duplicate key, a value outside its list, a
// duplicate or out-of-range channel, a missing value or byte. The data file is built from the
// text's values and hex alone, each value writing only its own bits.
#include <cstdint>
#include <string>
#include <vector>

#include "image/language.h"

namespace varel::textconf {

/// What reading a configuration text gave.
struct TextImport {
    bool ok = false;                 ///< true when the text was read whole
    std::vector<std::uint8_t> file;  ///< the data file's 3120 bytes (when ok)
    int line = 0;                    ///< the line (from 1) of a refusal
    std::string problem;             ///< what was refused, in the language asked for
};

/// Reads a configuration text; a refusal names its line and what is wrong in lang.
TextImport ImportText(const std::string& text, Language lang);

/// "NAME:LINE: problem" of a refusal.
std::string RefusalText(const std::string& name, const TextImport& result);

}  // namespace varel::textconf
