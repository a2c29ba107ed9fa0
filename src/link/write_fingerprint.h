#pragma once
// A short fingerprint of a configuration as the radio receives it, printed on paper and after a
// verified write so that the two can be matched: the CRC-32 of the data bytes of every block a
// write without the debug mode sends, in the order it sends them (0x000-0x7BF, 0x800-0xC2F, the
// bytes past 0xC00 as the zeros a write carries there). The power tuning blocks are left out,
// so a configuration has one fingerprint whether the debug mode sent them or not.
#include <cstdint>
#include <string>

#include "image/language.h"
#include "image/memory_image.h"

namespace varel::link {

/// The CRC-32 (the polynomial of zip and PNG) of the bytes a write without the debug mode
/// sends of `out`.
std::uint32_t WriteChecksum(const MemoryImage& out);

/// WriteChecksum as eight upper-case hex digits, "1A2B3C4D".
std::string WriteFingerprint(const MemoryImage& out);

/// "Fingerprint: 1A2B3C4D" / "数据指纹：1A2B3C4D", as the paper and a verified write show it.
std::string FingerprintLine(const std::string& fingerprint, Language lang);

}  // namespace varel::link
