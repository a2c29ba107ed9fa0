#include "link/write_fingerprint.h"

#include <cstdio>

#include "link/frames.h"
#include "link/write_machine.h"

namespace varel::link {

std::uint32_t WriteChecksum(const MemoryImage& out) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned address : WriteSchedule(WriteOptions{})) {
        for (std::size_t k = 0; k < kBlockSize; ++k) {
            const std::size_t index = address + k;
            crc ^= index < kImageSize ? out.at(index) : 0u;
            for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

std::string WriteFingerprint(const MemoryImage& out) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(WriteChecksum(out)));
    return text;
}

std::string FingerprintLine(const std::string& fingerprint, Language lang) {
    static const Bilingual line{"Fingerprint: %1", "数据指纹：%1"};
    return line.format(lang, {fingerprint});
}

}  // namespace varel::link
