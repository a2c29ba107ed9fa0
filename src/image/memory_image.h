#pragma once
// The radio's configuration memory as the tool holds it.
//
//   0x000 - 0x67F  128 channel records of 13 bytes (channel n at (n - 1) * 13)
//   0x680 - 0x6FF  fill, written as 0xFF
//   0x700 - 0x7FF  settings block
//   0x800 - 0xBFF  128 channel names of 8 bytes (channel n at 0x800 + (n - 1) * 8)
//   0xC00          spare byte: moved by radio transfers only, never decoded, encoded or filed
#include <array>
#include <cstddef>
#include <cstdint>

namespace varel {

/// Number of bytes in an image buffer (offsets 0x000 to 0xC00).
constexpr std::size_t kImageSize = 3073;
/// Number of image bytes that a data file carries and the codec covers (0x000 to 0xBFF).
constexpr std::size_t kConfigSize = 3072;

constexpr std::size_t kChannelCount = 128;
constexpr std::size_t kChannelRecordSize = 13;
constexpr std::size_t kChannelRegion = 0x000;
constexpr std::size_t kFillRegion = 0x680;
constexpr std::size_t kFillRegionEnd = 0x700;
constexpr std::size_t kSettingsRegion = 0x700;
constexpr std::size_t kSettingsRegionEnd = 0x800;
constexpr std::size_t kNameRegion = 0x800;
constexpr std::size_t kNameSize = 8;
constexpr std::size_t kSpareByte = 0xC00;

/// A fixed 3073-byte buffer with bounds-checked access; starts as all zero bytes.
class MemoryImage {
public:
    /// Byte at offset i; throws std::out_of_range for an offset outside the buffer.
    std::uint8_t at(std::size_t i) const { return m_bytes.at(i); }
    /// Sets the byte at offset i; throws std::out_of_range for an offset outside the buffer.
    void set(std::size_t i, std::uint8_t value) { m_bytes.at(i) = value; }
    /// The whole buffer, read-only.
    const std::array<std::uint8_t, kImageSize>& bytes() const { return m_bytes; }
    /// Sets every byte to value.
    void fill(std::uint8_t value) { m_bytes.fill(value); }

    bool operator==(const MemoryImage& other) const { return m_bytes == other.m_bytes; }
    bool operator!=(const MemoryImage& other) const { return !(*this == other); }

private:
    std::array<std::uint8_t, kImageSize> m_bytes{};
};

}  // namespace varel
