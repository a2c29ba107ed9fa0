// The fingerprint of a write: a CRC-32 over exactly the bytes a write without the debug mode
// sends, so that paper and radio agree whatever else the image holds.
#include "link/write_fingerprint.h"

#include <gtest/gtest.h>

#include "support/pattern_image.h"

namespace varel::link {
namespace {

TEST(WriteFingerprint, IsTheCrc32OfTheSentBlocks) {
    // The CRC-32 (as zip computes it) of 191 blocks of 16 zero bytes, and of the same with
    // the first byte 1.
    MemoryImage zeros;
    EXPECT_EQ(WriteFingerprint(zeros), "0691A018");
    MemoryImage first;
    first.set(0, 1);
    EXPECT_EQ(WriteFingerprint(first), "EE41702C");
}

TEST(WriteFingerprint, FollowsEveryByteAWriteSendsAndNoOther) {
    const MemoryImage base = test::PatternImage(7);
    const std::string fingerprint = WriteFingerprint(base);
    const struct {
        std::size_t offset;
        bool sent;
    } cases[] = {
        {0x000, true},  {0x67F, true},  {0x6FF, true},  {0x7BF, true},
        {0x7C0, false}, {0x7DF, false}, {0x7E0, false}, {0x7FF, false},
        {0x800, true},  {0xBFF, true},  {0xC00, true},
    };
    for (const auto& c : cases) {
        MemoryImage changed = base;
        changed.set(c.offset, static_cast<std::uint8_t>(~base.at(c.offset)));
        EXPECT_EQ(WriteFingerprint(changed) != fingerprint, c.sent) << std::hex << c.offset;
    }
}

TEST(WriteFingerprint, LineSaysItInEachLanguage) {
    EXPECT_EQ(FingerprintLine("0691A018", Language::English), "Fingerprint: 0691A018");
    EXPECT_EQ(FingerprintLine("0691A018", Language::Chinese), "数据指纹：0691A018");
}

}  // namespace
}  // namespace varel::link
