#pragma once
// Frames of the radio link and the helpers that put them into Actions.
//
// Tool to radio (addresses big-endian, high byte first):
//
//   wake-up       'P' 'R' 'O' 'G' 'R' 'A' 'M'          7 bytes, one output call
//   identify      0x02                                   1 byte
//   acknowledge   0x06                                   1 byte
//   end           0x45 ('E')                             1 byte
//   read request  0x52 ('R') | addr hi | addr lo | 0x10                4 calls of 1 byte
//   write block   0x57 ('W') | addr hi | addr lo | 0x10 | 16 data bytes  20 calls of 1 byte
//
// Radio to tool:
//
//   acknowledge     0x06
//   identification  byte: 1   2   3   4   5   6   7          8
//                         'P' 'W' '-' 'K' '4' ?   hi:? lo:band ?
//                   (the low nibble of byte 7 is the radio's band number)
//   data block      0x57 ('W') | addr hi | addr lo | 0x10 | 16 data bytes   (20 bytes)
#include <array>
#include <cstddef>
#include <cstdint>

#include "image/memory_image.h"
#include "link/transfer_actions.h"

namespace varel::link {

/// Asks the radio for its identification.
constexpr std::uint8_t kIdentify = 0x02;
/// Acknowledge, sent by both sides.
constexpr std::uint8_t kAck = 0x06;
/// Ends the programming session ('E').
constexpr std::uint8_t kEnd = 0x45;
/// First byte of a read request ('R').
constexpr std::uint8_t kReadCommand = 0x52;
/// First byte of a write block and of a data block ('W').
constexpr std::uint8_t kWriteCommand = 0x57;
/// The length byte of read requests, write blocks and data blocks.
constexpr std::uint8_t kBlockLengthByte = 0x10;
/// Data bytes carried by one block.
constexpr std::size_t kBlockSize = 16;
/// Bytes of a read request, and of the header in front of the data of a write block or a data
/// block: command, address high, address low, length.
constexpr std::size_t kBlockHeaderSize = 4;
/// Bytes of a write block or a data block.
constexpr std::size_t kBlockFrameSize = kBlockHeaderSize + kBlockSize;
/// Bytes of the radio's identification.
constexpr std::size_t kIdentificationSize = 8;
/// Blocks moved by a read, as many as cover the image (0x000 to 0xC00: 193), and frames sent by
/// a write.
constexpr int kBlockCount = static_cast<int>((kImageSize + kBlockSize - 1) / kBlockSize);
/// The last step of both machines: wake-up, identification, one step per block, End.
constexpr int kLastStep = kBlockCount + 3;
/// Address of the last block of a read, the one that holds the spare byte (0xC00).
constexpr unsigned kLastReadAddress = static_cast<unsigned>((kBlockCount - 1) * kBlockSize);
/// Address of the last block of a write (0xC20): a write sends as many frames as a read moves
/// blocks, but leaves out the blocks at 0x7C0 and 0x7D0 and so ends two blocks further on.
constexpr unsigned kLastWriteAddress = static_cast<unsigned>((kBlockCount + 1) * kBlockSize);
/// Receive threshold while a data block is awaited.
constexpr int kBlockThreshold = 20;
/// Receive threshold at every other time.
constexpr int kByteThreshold = 1;

/// The wake-up frame, the letters "PROGRAM".
constexpr std::array<std::uint8_t, 7> kWakeUp = {0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};
/// The model identifier at the start of the identification, "PW-K4".
constexpr std::array<std::uint8_t, 5> kModelId = {0x50, 0x57, 0x2D, 0x4B, 0x34};

/// Appends the wake-up frame as one output call.
void SendWakeUp(Actions& actions);
/// Appends a one-byte frame (identify, acknowledge, end).
void SendByte(Actions& actions, std::uint8_t byte);
/// Appends a read request for the block at address, one output call per byte.
void SendReadRequest(Actions& actions, unsigned address);
/// Appends a write block for address carrying image bytes address..address+15, one output call
/// per byte; bytes beyond the end of the image are sent as 0x00.
void SendWriteBlock(Actions& actions, unsigned address, const MemoryImage& image);

}  // namespace varel::link
