#pragma once
// Conversions between the channel area of a memory image (records and names) and the channel
// model.
//
// Channel record n (1 to 128) at (n - 1) * 13, 13 bytes:
//
//   offset  0      4      8      10     12
//          +------+------+------+------+---+
//          |  RX  |  TX  | RX   | TX   | F |
//          | freq | freq | tone | tone |   |
//          +------+------+------+------+---+
//
//   RX freq  frequency field; byte 0 = 0xFF marks the whole channel empty (nothing else read)
//   TX freq  frequency field; byte 4 = 0xFF: no transmit frequency
//   tones    tone fields; low byte = 0xFF: off
//   F        flags byte, bit 0 the least significant:
//              bits 0-1  power (column 5): 0 Low, 1 High, 2 Middle; 3 reads as High
//              bit  2    busy lock (column 6): 0 Carry, 1 Off
//              bit  3    add scan (column 7): 0 Off, 1 On
//              bit  4    bandwidth (column 8): 0 narrow, 1 wide
//              bit  5    TX prohibit (column 9): 0 On, 1 Off
//              bits 6-7  written as 1, not read
//
// An empty channel is written as 13 bytes of 0xFF.
//
// Name n at 0x800 + (n - 1) * 8, 8 bytes: the name's first 8 characters as ISO-8859-1 bytes,
// left-aligned, 0xFF fill. Names belong to all 128 channels, present or not.
#include <cstddef>

#include "image/channel_model.h"
#include "image/language.h"
#include "image/memory_image.h"

namespace varel {

/// Offsets of the fields inside a channel record: two 4-byte frequencies, two 2-byte tones, the
/// flags byte.
constexpr std::size_t kRecordRxFreq = 0;
constexpr std::size_t kRecordTxFreq = 4;
constexpr std::size_t kRecordRxTone = 8;
constexpr std::size_t kRecordTxTone = 10;
constexpr std::size_t kRecordFlags = 12;

/// Offset of channel n's record (n = 1 to 128).
constexpr std::size_t ChannelRecordOffset(int n) {
    return kChannelRegion + static_cast<std::size_t>(n - 1) * kChannelRecordSize;
}

/// Offset of channel n's name field (n = 1 to 128).
constexpr std::size_t ChannelNameOffset(int n) {
    return kNameRegion + static_cast<std::size_t>(n - 1) * kNameSize;
}

/// SetNumOf: decodes the 128 channel records of the image into the model. An empty record
/// clears its channel (name included); every other record sets both frequencies, both tones
/// and the five flag columns, with the list texts of lang. Names are not read.
void SetNumOf(const MemoryImage& in, ChannelModel& model, Language lang);

/// Encodes the model's 128 channels into the record area 0x000-0x67F. A byte whose value
/// cannot be formed (a malformed frequency or tone text, a flag sum beyond one byte) is left
/// as the image held it.
void EncodeChannels(const ChannelModel& model, MemoryImage& out);

/// Decodes the 128 name fields into the model's names; 0xFF bytes are dropped wherever they
/// stand.
void DecodeNames(const MemoryImage& in, ChannelModel& model);

/// Encodes the model's 128 names into the name area 0x800-0xBFF.
void EncodeNames(const ChannelModel& model, MemoryImage& out);

}  // namespace varel
