#include "image/channel_codec.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "image/channel_columns.h"

namespace varel {
namespace {

using Record = std::array<std::uint8_t, kChannelRecordSize>;

void PutRecord(MemoryImage& image, int n, const Record& r) {
    for (std::size_t i = 0; i < r.size(); ++i) image.set(ChannelRecordOffset(n) + i, r[i]);
}

Record RecordAt(const MemoryImage& image, int n) {
    Record r{};
    for (std::size_t i = 0; i < r.size(); ++i) r[i] = image.at(ChannelRecordOffset(n) + i);
    return r;
}

// 145.12500 / 145.72500, 67.0 / D023N.
Record PlainRecord(std::uint8_t flags) {
    return {0x00, 0x25, 0x51, 0x14, 0x00, 0x25, 0x57, 0x14, 0x70, 0x06, 0x23, 0x80, flags};
}

ChannelModel Decode(const Record& r, Language lang = Language::English, int n = 1) {
    MemoryImage in;
    PutRecord(in, n, r);
    ChannelModel model;
    SetNumOf(in, model, lang);
    return model;
}

Record Reencode(const ChannelModel& model, int n = 1) {
    MemoryImage out;
    EncodeChannels(model, out);
    return RecordAt(out, n);
}

TEST(ChannelFlags, DecodeToPositionsAndTextsAndEncodeBack) {
    struct Case {
        std::uint8_t stored;
        std::array<std::int16_t, 5> index;  // grid columns 5 to 9
        std::uint8_t reencoded;
    };
    const Case cases[] = {
        {0x00, {0, 0, 0, 0, 0}, 0xC0}, {0x3F, {1, 1, 1, 1, 1}, 0xFD}, {0x15, {1, 1, 0, 1, 0}, 0xD5},
        {0x2A, {2, 0, 1, 0, 1}, 0xEA}, {0xC2, {2, 0, 0, 0, 0}, 0xC2}, {0x03, {1, 0, 0, 0, 0}, 0xC1},
    };
    for (const auto& c : cases) {
        const ChannelModel model = Decode(PlainRecord(c.stored));
        for (int k = kPowerColumn; k <= kLastListColumn; ++k) {
            const auto position = c.index[static_cast<std::size_t>(k - kPowerColumn)];
            EXPECT_EQ(model.channel(1).index(k), position) << int(c.stored) << " " << k;
            EXPECT_EQ(model.channel(1).text(k),
                      ChannelColumnList(k, Language::English)[static_cast<std::size_t>(position)]);
        }
        EXPECT_EQ(Reencode(model)[12], c.reencoded) << int(c.stored);
    }
    const ChannelModel chinese = Decode(PlainRecord(0x2A), Language::Chinese);
    EXPECT_EQ(chinese.channel(1).text(5), "中");
    EXPECT_EQ(chinese.channel(1).text(9), "关");
}

TEST(ChannelRecord, ByteZeroFfEmptiesTheChannelWhateverFollows) {
    Record r = PlainRecord(0x3F);
    r[0] = 0xFF;
    MemoryImage in;
    PutRecord(in, 7, r);
    ChannelModel model;
    model.channel(7).freq[0] = "145.00000";
    model.channel(7).index(3) = 4;
    SetNumOf(in, model, Language::English);
    EXPECT_EQ(model.channel(7), Channel{});
    Record empty;
    empty.fill(0xFF);
    EXPECT_EQ(Reencode(model, 7), empty);
}

TEST(ChannelRecord, ByteFourFfMeansNoTransmitFrequency) {
    Record r = PlainRecord(0xC0);
    r[4] = 0xFF;
    r[5] = 0x12;
    r[6] = 0x34;
    r[7] = 0x56;
    const ChannelModel model = Decode(r);
    EXPECT_EQ(model.channel(1).freq[0], "145.12500");
    EXPECT_EQ(model.channel(1).freq[1], "");
    Record expected = PlainRecord(0xC0);
    for (std::size_t i = 4; i < 8; ++i) expected[i] = 0xFF;
    EXPECT_EQ(Reencode(model), expected);
}

TEST(ChannelTones, DecodeToTextAndPositionAndEncodeByPosition) {
    struct Case {
        std::uint8_t low, high;
        Language lang;
        const char* text;
        std::int16_t index;
        std::uint8_t encLow, encHigh;
    };
    const Case cases[] = {
        {0xFF, 0x12, Language::English, "Off", 0, 0xFF, 0xFF},
        {0xFF, 0xFF, Language::Chinese, "关闭", 0, 0xFF, 0xFF},
        {0x70, 0x06, Language::English, "67.0", 1, 0x70, 0x06},
        {0x41, 0x25, Language::Chinese, "254.1", 50, 0x41, 0x25},
        {0x17, 0x80, Language::English, "D017N", 51, 0x17, 0x80},
        {0x54, 0xC7, Language::English, "D754I", 264, 0x54, 0xC7},
        // Not listed: the text is kept, the position is 0, so it is written as off.
        {0x03, 0x10, Language::English, "100.3", 0, 0xFF, 0xFF},
        {0x99, 0x87, Language::English, "D799N", 0, 0xFF, 0xFF},
    };
    for (const auto& c : cases) {
        Record r = PlainRecord(0xC0);
        r[8] = r[10] = c.low;
        r[9] = r[11] = c.high;
        const ChannelModel model = Decode(r, c.lang);
        for (int k : {3, 4}) {
            EXPECT_EQ(model.channel(1).text(k), c.text);
            EXPECT_EQ(model.channel(1).index(k), c.index) << c.text;
        }
        const Record back = Reencode(model);
        EXPECT_EQ((std::array<std::uint8_t, 4>{back[8], back[9], back[10], back[11]}),
                  (std::array<std::uint8_t, 4>{c.encLow, c.encHigh, c.encLow, c.encHigh}))
            << c.text;
    }
}

TEST(ChannelEncode, ABadByteIsSkippedAndKeepsWhatTheImageHeld) {
    ChannelModel model;
    Channel& ch = model.channel(2);
    ch.freq = {"145.1x500", "14G.12500"};
    ch.text(3) = "D0Z3N";  // the first pair of its code is not hexadecimal
    ch.index(3) = 51;
    ch.text(4) = "67.0";  // position 0 means off whatever the text says
    ch.index(4) = 0;
    ch.index(5) = 100;  // a flag sum beyond one byte
    MemoryImage out;
    out.fill(0xAA);
    EncodeChannels(model, out);
    const Record expected = {0x00, 0xAA, 0x51, 0x14, 0x00, 0x25, 0xAA,
                             0x14, 0xAA, 0x80, 0xFF, 0xFF, 0xAA};
    EXPECT_EQ(RecordAt(out, 2), expected);
}

TEST(ChannelLayout, LastChannelAndNameEndTheirRegions) {
    ChannelModel model;
    model.channel(128).freq = {"173.99500", "173.99500"};
    model.channel(128).name = "LAST1234";
    MemoryImage out;
    EncodeChannels(model, out);
    EncodeNames(model, out);
    const auto& b = out.bytes();
    EXPECT_EQ(std::string(b.begin() + 0x673, b.begin() + 0x681),
              std::string("\x00\x95\x39\x17\x00\x95\x39\x17\xFF\xFF\xFF\xFF\xC0\x00", 14));
    EXPECT_EQ(std::string(b.begin() + 0xBF8, b.end()), std::string("LAST1234\x00", 9));
}

// Names are ISO-8859-1: every byte but the 0xFF fill comes back, the fill is dropped wherever
// it stands and written again after the name.
TEST(ChannelNames, EveryByteButFfRoundTripsAndFillMovesToTheEnd) {
    MemoryImage in;
    for (std::size_t i = 0; i < kChannelCount * kNameSize; ++i)
        in.set(kNameRegion + i, static_cast<std::uint8_t>(i % 255));
    const std::string gaps =
        "\xFF"
        "A\xFF"
        "B\xFF\xFF\xFF\xC4";
    for (std::size_t j = 0; j < 8; ++j) in.set(ChannelNameOffset(9) + j, std::uint8_t(gaps[j]));
    ChannelModel model;
    DecodeNames(in, model);
    EXPECT_EQ(model.channel(9).name, "AB\xC3\x84");
    MemoryImage out;
    EncodeNames(model, out);
    for (std::size_t j = 0; j < 8; ++j)
        in.set(ChannelNameOffset(9) + j, std::uint8_t("AB\xC4\xFF\xFF\xFF\xFF\xFF"[j]));
    EXPECT_EQ(out, in);
}

}  // namespace
}  // namespace varel
