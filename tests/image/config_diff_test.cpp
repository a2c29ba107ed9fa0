// The comparison of two configurations and the description of what image bytes hold.
#include "image/config_diff.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "image/block_contents.h"
#include "image/channel_codec.h"
#include "image/data_file.h"
#include "image/image_codec.h"

namespace varel {
namespace {

using Lines = std::vector<std::string>;

// The test file as the program would open it: channels 1, 2, 5 and 128, band 1.
MemoryImage Sample() {
    MemoryImage image;
    EXPECT_TRUE(LoadDataFile(VAREL_TEST_DATA "/sample.dat", image).ok());
    return image;
}

TEST(ConfigDiff, OneLinePerFieldInTheDumpsWords) {
    const struct {
        const char* name;
        std::function<void(MemoryImage&)> change;
        Language lang;
        Lines expected;
    } cases[] = {
        {"equal", [](MemoryImage&) {}, Language::English, {}},
        {"a receive frequency",
         [](MemoryImage& m) { m.set(ChannelRecordOffset(5) + 2, 0x57); },
         Language::English,
         {"channel 5: RXFreq: 462.56250 -> 465.76250"}},
        {"a deleted transmit frequency and a name with a control character, in Chinese",
         [](MemoryImage& m) {
             m.set(ChannelRecordOffset(1) + 4, 0xFF);
             m.set(ChannelNameOffset(1), 0x1B);
         },
         Language::Chinese,
         {"频道 1: 发射频率: 145.72500 -> (空)", "频道 1: 频道名称: CALL -> \\x1BALL"}},
        {"squelch level and an FM channel",
         [](MemoryImage& m) {
             m.set(0x704, 8);
             m.set(0x764, 0);
             m.set(0x765, 147);
         },
         Language::English,
         {"Squelch Level: 5 -> 8", "FM channel 3: (empty) -> 101.70"}},
        {"a VFO flag and a tuning value",
         [](MemoryImage& m) {
             m.set(0x73C, static_cast<std::uint8_t>(m.at(0x73C) ^ 0x20));
             m.set(0x7E2, 100);
         },
         Language::English,
         {"B Group VFO / TX Prohibit: Off -> On", "B Power Grades / Low Power Grades: 255 -> 100"}},
        {"bytes nothing shows: fill, the unread flag bits, an out-of-range list value, a name's "
         "fill",
         [](MemoryImage& m) {
             m.set(0x6A0, 0x12);
             m.set(ChannelRecordOffset(1) + 12, static_cast<std::uint8_t>(m.at(12) ^ 0x80));
             m.set(0x704, 0x0C);  // 0x0C and the file's 0xFF both read as the default 5
             m.set(0x7C5, 0x00);
         },
         Language::English,
         {"byte 0x00C: 0xF9 -> 0x79", "byte 0x6A0: 0xFF -> 0x12", "byte 0x704: 0xFF -> 0x0C",
          "byte 0x7C5: 0xFF -> 0x00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MemoryImage a = Sample();
        MemoryImage b = a;
        c.change(b);
        EXPECT_EQ(DiffConfigurations(a, b, c.lang), c.expected);
    }
}

// No change of any byte is invisible: a random change of every byte of a decoded sample and of
// a random image gives at least one line, and only equal images give none.
TEST(ConfigDiff, EveryChangedByteIsReported) {
    std::mt19937 rng(7);
    MemoryImage noise;
    for (std::size_t i = 0; i < kConfigSize; ++i) noise.set(i, static_cast<std::uint8_t>(rng()));
    for (const MemoryImage& base : {Sample(), noise}) {
        ASSERT_TRUE(DiffConfigurations(base, base, Language::English).empty());
        for (std::size_t i = 0; i < kConfigSize; ++i) {
            MemoryImage changed = base;
            changed.set(i, static_cast<std::uint8_t>(base.at(i) ^ (1u << (rng() % 8))));
            ASSERT_FALSE(DiffConfigurations(base, changed, Language::English).empty())
                << "offset " << i;
        }
    }
}

TEST(BlockContents, EveryRegionInTheDumpsWords) {
    using Labels = std::vector<std::string>;
    const struct {
        int address;
        Language lang;
        Labels expected;
    } cases[] = {
        {0x050, Language::English, {"channel 7", "channel 8"}},
        {0x670, Language::English, {"channel 127", "channel 128"}},
        {0x680, Language::English, {"unused"}},
        {0x710, Language::English, {"model tag", "Range", "unused", "Display Character"}},
        {0x720, Language::English, {"A Group VFO", "unused"}},
        {0x790, Language::Chinese, {"FM频道 25", "未用"}},
        {0x7E0, Language::Chinese, {"功率调试", "未用"}},
        {0xBF0, Language::Chinese, {"频道 127 名称", "频道 128 名称"}},
        {0xC00, Language::English, {"spare byte", "past the memory"}},
        {0xC20, Language::English, {"past the memory"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BlockContents(c.address, c.lang), c.expected) << std::hex << c.address;
}

}  // namespace
}  // namespace varel
