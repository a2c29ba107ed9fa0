#pragma once
// Verifying a write: the image read back after the write, compared with what the write sent.
//
// Compared are exactly the bytes that a write sends and a read brings back: every block of the
// write's schedule (WriteSchedule), byte by byte, up to the spare byte 0xC00. Not compared:
//
//   0x7C0 - 0x7DF   never written
//   0x7E0 - 0x7FF   the power tuning blocks, written only in debug mode
//   0xC01 - 0xC2F   the zeros the last three blocks carry past the image: the radio's memory
//                   ends at 0xC00 and a read keeps no byte beyond it
#include <string>
#include <vector>

#include "image/language.h"
#include "image/memory_image.h"
#include "link/write_machine.h"

namespace varel::link {

/// How long a radio is given to settle after a write before it is read back, in milliseconds.
constexpr int kSettleMs = 1000;

/// A written block that the radio does not hold as sent.
struct BlockDifference {
    int address = 0;                 ///< the block's address (0x000 to 0xC00)
    std::vector<std::string> holds;  ///< what its differing bytes hold (ByteContents, lang)
    bool operator==(const BlockDifference& o) const {
        return address == o.address && holds == o.holds;
    }
};

/// The blocks the write (per options) sent that differ between sent, the image the write sent,
/// and readBack, the image read from the radio afterwards, in the order they were sent; empty
/// when the radio holds everything that was written.
std::vector<BlockDifference> CompareWrittenBlocks(const MemoryImage& sent,
                                                  const MemoryImage& readBack,
                                                  const WriteOptions& options, Language lang);

}  // namespace varel::link
