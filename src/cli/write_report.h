#pragma once
// What varel-cli write says before and after a write, shared by the write to one radio and the
// write to several: the check before writing, the settle time, the blocks a read-back found
// different, and the blocks an interrupted write had sent.
#include <optional>
#include <string>
#include <vector>

#include "image/image_codec.h"
#include "link/verify.h"
#include "link/write_machine.h"

namespace varel::cli {

/// The settle time before a read-back: VAREL_SETTLE_MS, else link::kSettleMs (with a warning
/// for a value that is no number of milliseconds from 0 to 60000).
int SettleMs();

/// An image address as "0x050".
std::string AddressText(int address);

/// The check before writing: each problem is a warning; with strict any problem stops the
/// write before anything is sent (said on standard error). True when the write goes on.
bool CheckAndWarn(const Configuration& cfg, bool strict);

/// Prints each block that differs with what it holds, and the advice to write again.
void PrintDifferences(const std::vector<link::BlockDifference>& differences);

/// "1 block differs" or "N blocks differ".
std::string DifferCount(std::size_t differences);

/// The blocks a write interrupted at `step` of its machine had sent: "blocks 0x000 to 0x350
/// (54 of 192)"; empty when none was sent.
std::optional<std::string> BlocksSent(int step, const link::WriteOptions& options);

}  // namespace varel::cli
