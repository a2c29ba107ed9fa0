#pragma once
// Value encodings shared by the channel records, the settings block and the editors:
// frequency fields, tone fields, name fields, the tone vocabulary and the text operations
// that normalise typed values. Texts are UTF-8; single-byte fields use ISO-8859-1, so image
// byte n is the character U+00nn.
//
// Frequency field (4 bytes, packed BCD of the 8 digits of "ddd.ddddd", in 10 Hz units):
//   byte 0: d7 d8   byte 1: d5 d6   byte 2: d3 d4   byte 3: d1 d2     (145.12500 = 00 25 51 14)
// Tone field (2 bytes L, H):
//   off          FF  FF
//   CTCSS t Hz   BCD of the last two digits of t*10, BCD of the first two (67.0 = 70 06)
//   DCS abc N    BCD of bc, 0x80 + a                                     (D023N = 23 80)
//   DCS abc I    BCD of bc, 0xC0 + a                                     (D754I = 54 C7)
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "image/language.h"

namespace varel {

/// Number of entries in the tone vocabulary: Off, 50 CTCSS tones, 107 DCS codes N and I.
constexpr int kToneCount = 265;

/// The Off text of a tone selector: "关闭" in Chinese, "Off" in English.
std::string OffText(Language lang);

/// The ordered tone vocabulary; only position 0 (the Off text) depends on the language.
const std::vector<std::string>& ToneList(Language lang);

/// Frequency text "ddd.ddddd" of a 4-byte frequency field; nibbles above 9 appear as A-F.
std::string DecodeFrequency(const std::array<std::uint8_t, 4>& field);

/// The four bytes of the frequency field of a frequency text, field byte 0 first: byte 3 from
/// the first two characters, byte 2 from characters 3-4 and byte 1 from characters 5-6 (both
/// counted without the point), byte 0 from the last two characters, each pair read as hex. A
/// byte whose pair is not hexadecimal is empty.
std::array<std::optional<std::uint8_t>, 4> FrequencyField(const std::string& text);

/// The channel raster in 10 Hz units (the last digit of a frequency text): every channel
/// frequency is a multiple of 5 kHz or of 6.25 kHz.
constexpr int kRaster5kHz = 500;
constexpr int kRaster6k25Hz = 625;

/// Normalises a typed frequency to five decimals on the channel raster, moving down to the
/// nearer lower multiple. Empty when the last four decimals are not all digits.
std::optional<std::string> SnapFrequency(const std::string& typed);

/// Normalises a typed FM broadcast frequency to two decimals on the 0.05 raster (rounds down).
std::string SnapFmFrequency(const std::string& typed);

/// Tone text of a 2-byte tone field; L = 0xFF gives the Off text of the language.
std::string DecodeTone(std::uint8_t low, std::uint8_t high, Language lang);

/// The two bytes (L, H) of the tone field of a tone text that is not the Off text; a byte that
/// cannot be formed is empty. The text's code is four hex digits, byte L's two then byte H's:
/// "DabcN" gives "bc8a", "DabcI" "bcCa", and a CTCSS text its digits without the point, the
/// last two first, after zeros that fill it up to four ("67.0" gives "7006").
std::array<std::optional<std::uint8_t>, 2> ToneField(const std::string& tone);

/// Power position of a flags byte's bits 0-1: 0 Low, 1 High, 2 Middle; the unused value 3
/// reads as High, as bit 0 alone would.
int PowerPosition(std::uint8_t flags);

/// Position of a tone text in ToneList(lang) by exact comparison; 0 when it is not listed.
int ToneIndex(const std::string& tone, Language lang);

/// Hex digits of a name's name field: the name's first 8 characters as two digits each, then
/// "FF" for every missing character. Characters outside ISO-8859-1 are written as '?'.
std::string ChannelCode(const std::string& name);

/// Text of a single-byte text field: one ISO-8859-1 character per byte, fill bytes (0xFF)
/// dropped wherever they stand.
std::string TextFromBytes(const std::uint8_t* bytes, std::size_t count);

/// The text without any U+00FF character (the 0xFF fill as it appears after conversion).
std::string StripFillChars(const std::string& text);

/// The byte of a one- or two-digit hexadecimal text; empty for anything else.
std::optional<std::uint8_t> HexByte(const std::string& pair);

/// Upper-case hex text of a value without leading zeros ("6" for 6, "70" for 0x70).
std::string Hex(unsigned value);

/// Upper-case hex text of a byte with two digits ("06").
std::string Hex2(std::uint8_t value);

}  // namespace varel
