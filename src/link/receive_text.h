#pragma once
// The received bytes of a transfer, held as upper-case hex text, and the reply checks made on it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace varel::link {

/// Received bytes as two upper-case hex digits each, in arrival order, kept until cleared.
/// Every check looks at the whole text, so a reply may arrive in any number of pieces, and
/// anything left over from an earlier piece spoils exact matches.
class ReceiveText {
public:
    /// Appends each byte as two hex digits.
    void append(const std::uint8_t* data, std::size_t size);
    /// Empties the text (a reply was accepted, or a transfer starts).
    void clear() { m_text.clear(); }
    /// The text itself.
    const std::string& text() const { return m_text; }

    /// The characters "06" stand anywhere in the text, even across two bytes ("60" "6A").
    bool containsAck() const;
    /// The text is exactly "06".
    bool equalsAck() const;
    /// The text is exactly 16 digits (8 bytes) and begins with the model identifier.
    bool isIdentification() const;
    /// The band digit of an identification (character 14, the low nibble of byte 7) when it
    /// is a decimal digit; empty for A to F or when the text is no identification.
    std::optional<int> bandDigit() const;
    /// The text is exactly 40 digits (20 bytes) and begins with "57".
    bool isDataBlock() const;
    /// Data byte k (0 to 15) of a data block, that is byte 5 + k of the reply.
    std::uint8_t dataByte(std::size_t k) const;

private:
    std::string m_text;
};

}  // namespace varel::link
