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
        {"a name, control characters shown escaped",
         [](MemoryImage& m) { m.set(ChannelNameOffset(1), 0x1B); },
         Language::English,
         {"channel 1: Channel Name: CALL -> \\x1BALL"}},
        {"a deleted transmit frequency, in Chinese",
         [](MemoryImage& m) { m.set(ChannelRecordOffset(1) + 4, 0xFF); },
         Language::Chinese,
         {"频道 1: 发射频率: 145.72500 -> (空)"}},
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
        {0x000, Language::English, {"channel 1", "channel 2"}},
        {0x050, Language::English, {"channel 7", "channel 8"}},
        {0x670, Language::English, {"channel 127", "channel 128"}},
        {0x680, Language::English, {"unused"}},
        {0x700,
         Language::English,
         {"A Display Mode",
          "unused",
          "A Group VFO / A Step Frequency",
          "B Display Mode",
          "Squelch Level",
          "A Channel Number",
          "Beep",
          "Key Lock",
          "Scan Mode",
          "Radio Search Mode",
          "Radio Monitors Signal",
          "Battery Save",
          "Dual Standby",
          "KeyLock Mode",
          "SquelchTail Elimination",
          "Roger Beep",
          "Main Channel",
          "Backlight Mode",
          "Power-On Password",
          "VOX Swith",
          "VOX Gain Level",
          "VOX Delay Time(s)",
          "Prohibit VOX in the receiving",
          "Open Display Mode",
          "Memory Channel display Mode",
          "B Channel Number",
          "Auto Power-Off",
          "B Group VFO / B Step Frequency",
          "Channel Name Editable",
          "Time-out Timer"}},
        {0x710, Language::English, {"model tag", "Range", "unused", "Display Character"}},
        {0x720, Language::English, {"A Group VFO", "unused"}},
        {0x760,
         Language::Chinese,
         {"FM频道 1", "FM频道 2", "FM频道 3", "FM频道 4", "FM频道 5", "FM频道 6", "FM频道 7",
          "FM频道 8"}},
        {0x790, Language::English, {"FM channel 25", "unused"}},
        {0x7E0, Language::Chinese, {"功率调试", "未用"}},
        {0x800, Language::English, {"channel 1 name", "channel 2 name"}},
        {0xBF0, Language::Chinese, {"频道 127 名称", "频道 128 名称"}},
        {0xC00, Language::English, {"spare byte", "past the memory"}},
        {0xC20, Language::English, {"past the memory"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BlockContents(c.address, c.lang), c.expected) << std::hex << c.address;
}

}  // namespace
}  // namespace varel
