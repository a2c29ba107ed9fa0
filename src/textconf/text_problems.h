#pragma once
// Why a configuration text is refused, in both languages.
#include <string>
#include <vector>

#include "image/language.h"
#include "textconf/text_fields.h"

namespace varel::textconf {

/// The kinds of refusal of the reader; each has its text with placeholders.
enum class Problem {
    NotYaml,        ///< %1 the YAML library's reason
    TooDeep,        ///< -
    NotMapping,     ///< %1 what must be a mapping
    NotScalar,      ///< %1 what must be a single value
    NotSequence,    ///< %1 the channel
    UnknownKey,     ///< %1 the key
    DuplicateKey,   ///< %1 the key
    Missing,        ///< %1 the key
    NotFormat,      ///< %1 the format name
    Version,        ///< %1 the version given, %2 the version read
    Header,         ///< -
    BadChannel,     ///< %1 the key
    ChannelTwice,   ///< %1 the channel number
    ChannelValues,  ///< %1 the channel, %2 values given, %3 values needed
    NotInList,      ///< %1 the value's name, %2 the words
    NotFrequency,   ///< likewise
    NotTone,        ///< likewise
    NotNumber,      ///< likewise
    TooLong,        ///< likewise, %3 the bytes of the field
    NotCodePage,    ///< likewise
    NotFmStep,      ///< likewise
    NotHex,         ///< likewise
    BadAddress,     ///< %1 the key
    NotHexBytes,    ///< %1 the address, %2 the value
    ShownByte,      ///< %1 the address
    ShownBits,      ///< %1 the address, %2 the bits that belong to bytes
    ByteTwice,      ///< %1 the address
    ByteMissing,    ///< %1 the address
};

/// The text of a refusal in a language, with its arguments put in.
std::string ProblemText(Problem problem, Language lang, const std::vector<std::string>& args);

/// The refusal of words that are not a value of their field.
Problem WordProblemOf(WordProblem why);

}  // namespace varel::textconf
