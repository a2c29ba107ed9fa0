#pragma once
// Conversion between UTF-8 texts and the single-byte ISO-8859-1 code page of the image.
#include <cstdint>
#include <string>
#include <vector>

namespace varel {

/// The code points of a UTF-8 text; a malformed byte counts as the code point of its value.
std::vector<char32_t> CodePoints(const std::string& utf8);

/// UTF-8 text of one code point.
std::string Utf8(char32_t codePoint);

/// ISO-8859-1 byte of a code point; '?' for code points above U+00FF.
std::uint8_t Latin1Byte(char32_t codePoint);

}  // namespace varel
