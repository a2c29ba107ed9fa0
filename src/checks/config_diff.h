#pragma once
// The differences between two configurations, one line per differing field, in the words of
// the dump (checks/config_text.h):
//
//   channel 5: RXFreq: 145.50000 -> 151.00000
//   channel 5: Channel Name: CALL -> (empty)
//   Squelch Level: 5 -> 8
//   A Group VFO / Frequency: 136.00000 -> 145.00000
//   FM channel 3: (empty) -> 101.70
//   byte 0x7C5: 0x00 -> 0x12
//
// Both images are decoded as the program's Open decodes them, so the values are what the
// editors would show. A differing bit that no shown field reads (a byte the decoder skips, the
// unread bits of a channel's flags, two stored values that read the same, the records of empty
// channels) is listed as its byte after the fields, so that no difference of image bytes
// 0x000-0xBFF goes unreported: the list is empty exactly when those bytes are equal.
#include <string>
#include <vector>

#include "image/language.h"
#include "image/memory_image.h"

namespace varel {

/// The differences from a to b (bytes 0x000-0xBFF): the channels in order (each column, then
/// the name), then the settings in the dump's order, then the bytes no shown field explains.
std::vector<std::string> DiffConfigurations(const MemoryImage& a, const MemoryImage& b,
                                            Language lang);

}  // namespace varel
