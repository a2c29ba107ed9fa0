#pragma once
// What the bytes of the image hold, in the words of the dump (checks/config_text.h), for telling
// which part of a configuration a block or a byte belongs to:
//
//   0x000 - 0x67F   "channel n", the channel whose record holds the byte
//   0x680 - 0x6FF   "unused" (fill)
//   0x700 - 0x7FF   each setting stored in the byte ("Squelch Level", "FM channel 3"); the
//                   VFO records 0x720-0x73F as "A Group VFO" / "B Group VFO", the tuning values
//                   as "power tuning", the model tag 0x710-0x715 as "model tag", bytes no
//                   listed setting uses as "unused"
//   0x800 - 0xBFF   "channel n name"
//   0xC00           "spare byte"
//   past 0xC00      "past the memory"
#include <string>
#include <vector>

#include "image/language.h"

namespace varel {

/// What the 16 bytes at `address` hold: each label once, in the order of the bytes (several
/// entries when a block spans several things, "channel 7", "channel 8").
std::vector<std::string> BlockContents(int address, Language lang);

/// What the bytes at the given image offsets hold, each label once, in the order of the offsets.
std::vector<std::string> ByteContents(const std::vector<int>& offsets, Language lang);

}  // namespace varel
