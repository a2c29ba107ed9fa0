#include "link/write_fingerprint.h"

#include <zlib.h>

#include <cstdio>

#include "link/frames.h"
#include "link/write_machine.h"

namespace varel::link {

std::uint32_t WriteChecksum(const MemoryImage& out) {
    // zlib's CRC-32 over the blocks in the order the write sends them; bytes past the image
    // count as zeros.
    uLong crc = crc32(0L, Z_NULL, 0);
    for (unsigned address : WriteSchedule(WriteOptions{})) {
        Bytef block[kBlockSize] = {};
        for (std::size_t k = 0; k < kBlockSize && address + k < kImageSize; ++k)
            block[k] = out.at(address + k);
        crc = crc32(crc, block, static_cast<uInt>(kBlockSize));
    }
    return static_cast<std::uint32_t>(crc);
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
