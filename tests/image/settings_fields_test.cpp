#include "image/settings_fields.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace varel {
namespace {

TEST(SettingTable, ListsAreCompleteAndFitTheirBits) {
    const auto& table = SettingFields();
    ASSERT_EQ(static_cast<int>(table.size()), kSettingCount);
    for (int i = 0; i < kSettingCount; ++i) {
        const SettingField& f = table[static_cast<std::size_t>(i)];
        SCOPED_TRACE(f.objectName + " " + f.caption.en);
        EXPECT_EQ(static_cast<int>(f.id), i);
        EXPECT_FALSE(f.caption.en.empty() || f.caption.zh.empty());
        if (!f.holdsIndex()) continue;
        for (const Bilingual& e : f.entries) EXPECT_FALSE(e.en.empty() || e.zh.empty());
        EXPECT_LT(f.start, f.entryCount());
        EXPECT_LT(f.decodeDefault, f.entryCount());
        for (int mapped : f.decodeMap) EXPECT_LT(mapped, f.entryCount());
        if (f.kind == FieldKind::List && f.offset >= 0) {
            EXPECT_LE(f.entryCount(), 1 << f.bits) << "positions do not fit the stored bits";
        }
    }
}

// Every bit of the block belongs to exactly one field or fixed content, except the reserved
// bytes, which belong to none.
TEST(SettingTable, CoversEveryBitOfTheBlockOnce) {
    std::array<unsigned, 256> covered{};
    auto claim = [&](int offset, int bit, int bits, const std::string& who) {
        ASSERT_TRUE(offset >= kSettingsFirst && offset < kSettingsEnd) << who;
        const unsigned mask = (bits >= 8 ? 0xFFu : (1u << bits) - 1u) << bit;
        auto& c = covered[static_cast<std::size_t>(offset - kSettingsFirst)];
        EXPECT_EQ(c & mask, 0u) << who << " overlaps at " << offset;
        c |= mask;
    };
    for (const SettingField& f : SettingFields()) {
        const bool bitField = f.kind == FieldKind::List || f.kind == FieldKind::Check;
        for (int k = 0; f.offset >= 0 && k < f.size; ++k)
            claim(f.offset + k, bitField ? f.bit : 0, bitField ? f.bits : 8, f.objectName);
    }
    for (const FixedContent& c : FixedContents())
        for (int k = 0; k < c.count; ++k) claim(c.offset + k, c.bit, c.bits, "fixed");
    for (int i = kSettingsFirst; i < kSettingsEnd; ++i) {
        const bool reserved = i >= kUnwrittenFirst && i <= kUnwrittenLast;
        EXPECT_EQ(covered[static_cast<std::size_t>(i - kSettingsFirst)], reserved ? 0u : 0xFFu)
            << "byte " << i;
    }
}

}  // namespace
}  // namespace varel
