#pragma once
// What the editors' text boxes let through as the user types: one rule per kind of box, shared
// by the program's key filters and by the channel list import (which treats a file's text as
// if it had been typed).
#include <optional>
#include <string>

namespace varel {

/// The kinds of typed input.
enum class KeySet {
    Decimal,           ///< "0"-"9" and "." (frequencies, offsets)
    Digits,            ///< "0"-"9" (channel numbers, password)
    ChannelName,       ///< "a"-"z" become upper case; then codes 35 to 122 only
    DisplayCharacter,  ///< "a"-"z" become upper case; then "0"-"9", "A"-"Z", "*", "#", "-"
};

/// The character a typed key becomes in a box of this kind, or empty when the key is dropped.
/// Backspace and the other editing keys are not characters and are not filtered here.
std::optional<char32_t> FilterKey(KeySet keys, char32_t typed);

/// A whole text as if typed key by key into a box of this kind (UTF-8 in and out): dropped keys
/// vanish, and typing stops at maxLength characters (0: no limit).
std::string FilterTyped(KeySet keys, const std::string& text, int maxLength = 0);

}  // namespace varel
