#pragma once
// The configuration text of a data file, written in one fixed order and layout so that the
// same file always gives the same text, line for line:
//
//   format, version, header     what the text is, and the file's 48-byte header ("standard"
//                               or hex)
//   channels                    one line per channel that is not empty (record and name all
//                               0xFF): number: [RXFreq, TXFreq, tones, flags, name]
//   settings groups             "Function Set:", "VOX:", ..., one value a line
//   bytes                       the bits no value holds, as hex by address, 16 bytes a line
#include <cstdint>
#include <string>
#include <vector>

namespace varel::textconf {

/// Name of the format, the value of "format:".
extern const char* const kFormatName;
/// Version of the format, the value of "version:".
constexpr int kFormatVersion = 1;

/// The text of the first 3120 bytes of a data file (header and image); file must hold at
/// least that many.
std::string ExportText(const std::vector<std::uint8_t>& file);

/// A scalar as the text writes it: plain when YAML reads it back as the same text in any
/// context, else double-quoted with escapes (\xNN for bytes that are not printable).
std::string YamlScalar(const std::string& text);

/// A text always double-quoted, with escapes.
std::string YamlQuoted(const std::string& text);

}  // namespace varel::textconf
