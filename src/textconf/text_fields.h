#pragma once
// The fields of a configuration text: every value of the image that the text names, where its
// bits are, and how it is written in words. A field's raw value is its bytes in image order, or
// for a field of a few bits of one byte, the value of those bits. A field is written in words
// only when reading the words back gives exactly its raw value; otherwise as hex (0x...).
//
//   Frequency      4-byte frequency field: "ddd.ddddd" as the digits stand (A-F included),
//                  "" for FF FF FF FF
//   Tone           2-byte tone field: "Off" for FF FF, a tone of the tone list
//   List           bits of one byte: the English entry at that position
//   Check          one bit: "No" or "Yes"
//   ChannelNumber  one byte: 1 to 128, "" for the byte an empty box stores
//   Text           single-byte characters, 0xFF fill after them
//   FmWord         2-byte FM word: "87.00" to "108.00", "" for FF FF
//   Number         one byte: 0 to 255
//   Hex            always hex (bits no editor reads)
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varel::textconf {

/// How a field's value is written in words.
enum class ValueKind { Frequency, Tone, List, Check, ChannelNumber, Text, FmWord, Number, Hex };

/// One value of the image that the text names.
struct TextField {
    std::string key;                   ///< its name in its group (or channel line)
    ValueKind kind{};                  ///< how it is written in words
    int offset = 0;                    ///< first image byte
    int size = 1;                      ///< bytes
    int bit = 0;                       ///< lowest bit inside its byte (size 1)
    int bits = 8;                      ///< bits inside its byte (size 1); 8 for whole bytes
    std::vector<std::string> entries;  ///< List: the English entries in position order
    int emptyByte = -1;                ///< ChannelNumber: the byte of an empty box

    /// True when the field holds whole bytes (its raw value is its bytes).
    bool wholeBytes() const { return bits == 8; }
};

/// A raw value: the field's bytes in image order, or one element with the value of its bits.
using Raw = std::vector<std::uint8_t>;

/// The raw value of a field in an image of at least offset + size bytes.
Raw ReadRaw(const TextField& field, const std::uint8_t* image);

/// Puts a raw value into the field's bits of the image; no other bit changes.
void WriteRaw(const TextField& field, const Raw& raw, std::uint8_t* image);

/// The words of a raw value, when reading them back gives exactly that value.
std::optional<std::string> Words(const TextField& field, const Raw& raw);

/// Why words are not a value of their field.
enum class WordProblem {
    None,
    NotInList,     ///< a List or Check word that is not one of its entries
    NotFrequency,  ///< not "ddd.ddddd" (1 to 3 digits, up to 5 decimals, 0-9 and A-F)
    NotTone,       ///< neither Off nor a tone of the tone list
    NotNumber,     ///< not a whole decimal number within the field's range
    TooLong,       ///< more characters than the field has bytes
    NotCodePage,   ///< a character outside the single-byte code page
    NotFmStep,     ///< not an FM frequency from 87.0 to 108.0 MHz in 0.1 MHz steps
    HexOnly,       ///< a field that is written in hex only
};

/// The raw value of words; empty with problem set when the words are not a value of the field.
std::optional<Raw> ParseWords(const TextField& field, const std::string& words,
                              WordProblem& problem);

/// "0x" and the raw value in upper-case hex: two digits a byte for whole bytes, the value of
/// the bits otherwise ("0x3").
std::string HexWords(const TextField& field, const Raw& raw);

/// The raw value of a hex text as HexWords writes it; empty when it is not one.
std::optional<Raw> ParseHex(const TextField& field, const std::string& text);

/// True for a text that is meant as hex: "0x" followed by hex digits.
bool LooksHex(const std::string& text);

/// The mask of the bits a field holds in its byte (whole bytes: 0xFF).
std::uint8_t FieldMask(const TextField& field);

}  // namespace varel::textconf
