#pragma once
// Small helpers shared by the link tests: radio replies made by hand and feeding them.
#include <cstdint>
#include <vector>

#include "link/frames.h"
#include "link/transfer_actions.h"

namespace varel::link::test {

/// An identification with the given byte 7 (its low nibble is the band digit). Bytes 6 and 8
/// are not the radio's zeros, and byte 7 has a high nibble: the tool must not look at them.
inline std::vector<std::uint8_t> Identification(std::uint8_t byte7 = 0x40) {
    std::vector<std::uint8_t> id(kModelId.begin(), kModelId.end());
    id.insert(id.end(), {0x31, byte7, 0x20});
    return id;
}

/// A data block for address whose data bytes are first, first + 1, ...
inline std::vector<std::uint8_t> DataBlock(unsigned address, std::uint8_t first) {
    std::vector<std::uint8_t> block = {kWriteCommand, static_cast<std::uint8_t>(address >> 8),
                                       static_cast<std::uint8_t>(address & 0xFF), kBlockLengthByte};
    for (unsigned k = 0; k < kBlockSize; ++k) block.push_back(static_cast<std::uint8_t>(first + k));
    return block;
}

/// Feeds bytes to a machine as one receive event.
template <typename Machine>
Actions Feed(Machine& machine, const std::vector<std::uint8_t>& bytes) {
    return machine.received(bytes.data(), bytes.size());
}

/// All bytes of the output calls of one Actions.
inline std::vector<std::uint8_t> Sent(const Actions& actions) {
    std::vector<std::uint8_t> all;
    for (const auto& call : actions.writes) all.insert(all.end(), call.begin(), call.end());
    return all;
}

}  // namespace varel::link::test
