// The field encodings, the channel records and names, and whole images through the codec.
#include "image/channel_codec.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "image/channel_columns.h"
#include "image/encodings.h"
#include "image/image_codec.h"
#include "image/latin1.h"
#include "image/numeric_text.h"
#include "image/settings_fields.h"
#include "image/vocabulary.h"
#include "support/pattern_image.h"

namespace varel {
namespace {

using FrequencyBytes = std::array<std::optional<std::uint8_t>, 4>;

TEST(FrequencyField, BcdLeastSignificantPairFirstAndNonBcdNibblesAsHexLetters) {
    EXPECT_EQ(DecodeFrequency({0x00, 0x25, 0x51, 0x14}), "145.12500");
    EXPECT_EQ(FrequencyField("145.12500"), (FrequencyBytes{0x00, 0x25, 0x51, 0x14}));
    const std::string text = DecodeFrequency({0xFF, 0xAB, 0xFF, 0xFF});
    EXPECT_EQ(text, "FFF.FABFF");
    EXPECT_EQ(FrequencyField(text), (FrequencyBytes{0xFF, 0xAB, 0xFF, 0xFF}));
    EXPECT_EQ(FrequencyField("14x.12500"), (FrequencyBytes{0x00, 0x25, std::nullopt, 0x14}));
}

TEST(SnapFrequency, MovesDownToTheNearerRasterPoint) {
    EXPECT_EQ(SnapFrequency("145.125"), "145.12500");
    EXPECT_EQ(SnapFrequency("145"), "145.00000");
    EXPECT_EQ(SnapFrequency("145.12345"), "145.12000");
    EXPECT_EQ(SnapFrequency("145.1234567"), "145.12000");
    EXPECT_EQ(SnapFrequency("145.10700"), "145.10625");
    EXPECT_EQ(SnapFrequency("438.00625"), "438.00625");
    EXPECT_EQ(SnapFrequency("438.00400"), "438.00000");
    EXPECT_EQ(SnapFrequency("1.2.3"), std::nullopt);
}

// Fixed codes are tested with the channel records (tests of channel_codec).
TEST(ToneField, CodesRoundTripThroughTheWholeList) {
    const auto& list = ToneList(Language::English);
    ASSERT_EQ(list.size(), static_cast<std::size_t>(kToneCount));
    EXPECT_EQ(list[0], "Off");
    for (int i = 1; i < kToneCount; ++i) {
        const auto [low, high] = ToneField(list[i]);
        ASSERT_TRUE(low && high) << list[i];
        EXPECT_EQ(DecodeTone(*low, *high, Language::Chinese), list[i]);
        EXPECT_EQ(ToneIndex(list[i], Language::Chinese), i);
    }
}

// The tone list as the radio and stored files number it: the position is what a channel and a
// VFO store, so every text and its place is a requirement. Only the Off text at position 0
// changes with the language.
const char* const kTonesAfterOff[kToneCount - 1] = {
    // 1-50: CTCSS, in Hz with one decimal.
    "67.0", "69.3", "71.9", "74.4", "77.0", "79.7", "82.5", "85.4", "88.5", "91.5", "94.8", "97.4",
    "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3", "131.8", "136.5",
    "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9", "171.3", "173.8",
    "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5", "203.5", "206.5",
    "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
    // 51-157: DCS codes, normal polarity.
    "D017N", "D023N", "D025N", "D026N", "D031N", "D032N", "D036N", "D043N", "D047N", "D050N",
    "D051N", "D053N", "D054N", "D065N", "D071N", "D072N", "D073N", "D074N", "D114N", "D115N",
    "D116N", "D122N", "D125N", "D131N", "D132N", "D134N", "D143N", "D145N", "D152N", "D155N",
    "D156N", "D162N", "D165N", "D172N", "D174N", "D205N", "D212N", "D223N", "D225N", "D226N",
    "D243N", "D244N", "D245N", "D246N", "D251N", "D252N", "D255N", "D261N", "D263N", "D265N",
    "D266N", "D271N", "D274N", "D306N", "D311N", "D315N", "D325N", "D331N", "D332N", "D343N",
    "D346N", "D351N", "D356N", "D364N", "D365N", "D371N", "D411N", "D412N", "D413N", "D423N",
    "D431N", "D432N", "D445N", "D446N", "D452N", "D454N", "D455N", "D462N", "D464N", "D465N",
    "D466N", "D503N", "D506N", "D516N", "D523N", "D526N", "D532N", "D546N", "D565N", "D606N",
    "D612N", "D624N", "D627N", "D631N", "D632N", "D645N", "D654N", "D662N", "D664N", "D703N",
    "D712N", "D723N", "D731N", "D732N", "D734N", "D743N", "D754N",
    // 158-264: the same DCS codes, inverted.
    "D017I", "D023I", "D025I", "D026I", "D031I", "D032I", "D036I", "D043I", "D047I", "D050I",
    "D051I", "D053I", "D054I", "D065I", "D071I", "D072I", "D073I", "D074I", "D114I", "D115I",
    "D116I", "D122I", "D125I", "D131I", "D132I", "D134I", "D143I", "D145I", "D152I", "D155I",
    "D156I", "D162I", "D165I", "D172I", "D174I", "D205I", "D212I", "D223I", "D225I", "D226I",
    "D243I", "D244I", "D245I", "D246I", "D251I", "D252I", "D255I", "D261I", "D263I", "D265I",
    "D266I", "D271I", "D274I", "D306I", "D311I", "D315I", "D325I", "D331I", "D332I", "D343I",
    "D346I", "D351I", "D356I", "D364I", "D365I", "D371I", "D411I", "D412I", "D413I", "D423I",
    "D431I", "D432I", "D445I", "D446I", "D452I", "D454I", "D455I", "D462I", "D464I", "D465I",
    "D466I", "D503I", "D506I", "D516I", "D523I", "D526I", "D532I", "D546I", "D565I", "D606I",
    "D612I", "D624I", "D627I", "D631I", "D632I", "D645I", "D654I", "D662I", "D664I", "D703I",
    "D712I", "D723I", "D731I", "D732I", "D734I", "D743I", "D754I"};

TEST(ToneField, TheListHoldsEveryToneInItsPlaceInBothLanguages) {
    for (const auto& [lang, off] :
         {std::pair{Language::English, "Off"}, std::pair{Language::Chinese, "关闭"}}) {
        std::vector<std::string> expected{off};
        expected.insert(expected.end(), std::begin(kTonesAfterOff), std::end(kTonesAfterOff));
        EXPECT_EQ(ToneList(lang), expected);
        for (int i = 0; i < kToneCount; ++i) {
            EXPECT_EQ(ToneIndex(expected[static_cast<std::size_t>(i)], lang), i);
            EXPECT_EQ(ToneEntries()[static_cast<std::size_t>(i)].in(lang),
                      expected[static_cast<std::size_t>(i)]);
        }
    }
}

TEST(NameField, CodesAndStripsFill) {
    EXPECT_EQ(ChannelCode(""), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(ChannelCode("ABC"), "414243FFFFFFFFFF");
    EXPECT_EQ(ChannelCode("ABCDEFGHIJ"), "4142434445464748");
    EXPECT_EQ(ChannelCode("\xC3\xA9"), "E9FFFFFFFFFFFFFF");  // é is byte 0xE9
    EXPECT_EQ(ChannelCode(std::string("\x01", 1)), "01FFFFFFFFFFFFFF");
    const std::uint8_t bytes[] = {0x41, 0xFF, 0x42, 0xE9, 0xFF, 0xFF};
    EXPECT_EQ(TextFromBytes(bytes, sizeof bytes), "AB\xC3\xA9");
    EXPECT_EQ(StripFillChars(""), "");
    EXPECT_EQ(StripFillChars("A\xC3\xBF"
                             "B"),
              "AB");
}

TEST(NumericText, ReadsTheLeadingNumberAndFormats) {
    EXPECT_EQ(LeadingNumber("FFF.FFFFF"), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber("010.00500"), 10.005);
    EXPECT_DOUBLE_EQ(LeadingNumber("12.3A456"), 12.3);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(FormatFixed(LeadingNumber("FFF.FFFFF"), 1, 5), "0.00000");
    EXPECT_EQ(FormatFixed(10.005, 1, 5), "10.00500");
    EXPECT_EQ(FormatFixed(10, 3, 5), "010.00000");
    EXPECT_EQ(FormatShortest(10.0), "10");
    EXPECT_EQ(FormatShortest(5.125), "5.125");
    EXPECT_TRUE(IsNumeric("12.5"));
    EXPECT_FALSE(IsNumeric("12.5.1"));
    EXPECT_FALSE(IsNumeric(""));
}

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
    // index: grid columns 5 to 9
    const std::tuple<std::uint8_t, std::array<std::int16_t, 5>, std::uint8_t> cases[] = {
        {0x00, {0, 0, 0, 0, 0}, 0xC0}, {0x3F, {1, 1, 1, 1, 1}, 0xFD}, {0x15, {1, 1, 0, 1, 0}, 0xD5},
        {0x2A, {2, 0, 1, 0, 1}, 0xEA}, {0xC2, {2, 0, 0, 0, 0}, 0xC2}, {0x03, {1, 0, 0, 0, 0}, 0xC1},
    };
    for (const auto& [stored, index, reencoded] : cases) {
        const ChannelModel model = Decode(PlainRecord(stored));
        for (int k = kPowerColumn; k <= kLastListColumn; ++k) {
            const auto position = index[static_cast<std::size_t>(k - kPowerColumn)];
            EXPECT_EQ(model.channel(1).index(k), position) << int(stored) << " " << k;
            EXPECT_EQ(model.channel(1).text(k),
                      ChannelColumnList(k, Language::English)[static_cast<std::size_t>(position)]);
        }
        EXPECT_EQ(Reencode(model)[12], reencoded) << int(stored);
    }
    const ChannelModel chinese = Decode(PlainRecord(0x2A), Language::Chinese);
    EXPECT_EQ(chinese.channel(1).text(5), "中");
    EXPECT_EQ(chinese.channel(1).text(9), "关");
}

TEST(ChannelRecord, ByteZeroFfEmptiesTheChannelAndByteFourFfItsTransmitFrequency) {
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

    // Byte 4 FF: no transmit frequency, whatever bytes 5 to 7 hold.
    r = PlainRecord(0xC0);
    r[4] = 0xFF;
    r[5] = 0x12;
    r[6] = 0x34;
    r[7] = 0x56;
    model = Decode(r);
    EXPECT_EQ(model.channel(1).freq[0], "145.12500");
    EXPECT_EQ(model.channel(1).freq[1], "");
    Record expected = PlainRecord(0xC0);
    for (std::size_t i = 4; i < 8; ++i) expected[i] = 0xFF;
    EXPECT_EQ(Reencode(model), expected);
}

TEST(ChannelTones, DecodeToTextAndPositionAndEncodeByPosition) {
    const std::tuple<std::uint8_t, std::uint8_t, Language, const char*, std::int16_t, std::uint8_t,
                     std::uint8_t>
        cases[] = {
            {0xFF, 0x12, Language::English, "Off", 0, 0xFF, 0xFF},
            {0xFF, 0xFF, Language::Chinese, "关闭", 0, 0xFF, 0xFF},
            {0x70, 0x06, Language::English, "67.0", 1, 0x70, 0x06},
            {0x41, 0x25, Language::Chinese, "254.1", 50, 0x41, 0x25},
            {0x00, 0x10, Language::English, "100.0", 13, 0x00, 0x10},
            {0x17, 0x80, Language::English, "D017N", 51, 0x17, 0x80},
            {0x23, 0x80, Language::English, "D023N", 52, 0x23, 0x80},
            {0x06, 0x86, Language::English, "D606N", 140, 0x06, 0x86},
            {0x54, 0x87, Language::English, "D754N", 157, 0x54, 0x87},
            {0x17, 0xC0, Language::English, "D017I", 158, 0x17, 0xC0},
            {0x54, 0xC7, Language::English, "D754I", 264, 0x54, 0xC7},
            // Not listed: the text is kept, the position is 0, so it is written as off.
            {0x03, 0x10, Language::English, "100.3", 0, 0xFF, 0xFF},
            {0x99, 0x87, Language::English, "D799N", 0, 0xFF, 0xFF},
        };
    for (const auto& [low, high, lang, text, index, encLow, encHigh] : cases) {
        Record r = PlainRecord(0xC0);
        r[8] = r[10] = low;
        r[9] = r[11] = high;
        const ChannelModel model = Decode(r, lang);
        for (int k : {3, 4}) {
            EXPECT_EQ(model.channel(1).text(k), text);
            EXPECT_EQ(model.channel(1).index(k), index) << text;
        }
        const Record back = Reencode(model);
        EXPECT_EQ((std::array<std::uint8_t, 4>{back[8], back[9], back[10], back[11]}),
                  (std::array<std::uint8_t, 4>{encLow, encHigh, encLow, encHigh}))
            << text;
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

int Uniform(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

// A frequency inside one of the bands of the first band entry, on the channel raster.
std::string RandomFrequency(std::mt19937& rng) {
    const bool uhf = Uniform(rng, 0, 1) == 1;
    const int tenHz = uhf ? Uniform(rng, 40000000, 46999500) : Uniform(rng, 13600000, 17399500);
    char typed[16];
    std::snprintf(typed, sizeof typed, "%03d.%05d", tenHz / 100000, tenHz % 100000);
    return SnapFrequency(typed).value();
}

std::string RandomName(std::mt19937& rng) {
    std::string name;
    const int length = Uniform(rng, 0, 8);
    for (int i = 0; i < length; ++i) {
        const int c = Uniform(rng, 0, 1) == 0 ? Uniform(rng, 0x20, 0x7E) : Uniform(rng, 0xA0, 0xFE);
        name += Utf8(static_cast<char32_t>(c));
    }
    return name;
}

// A model as the editors could leave it: only values their lists and checks admit.
ChannelModel RandomModel(std::mt19937& rng, Language lang) {
    ChannelModel model;
    for (int n = 1; n <= static_cast<int>(kChannelCount); ++n) {
        Channel& ch = model.channel(n);
        if (Uniform(rng, 0, 9) < 7) {
            ch.freq[0] = RandomFrequency(rng);
            ch.freq[1] = Uniform(rng, 0, 3) == 0 ? std::string() : RandomFrequency(rng);
            for (int column = kFirstListColumn; column <= kLastListColumn; ++column) {
                const auto& list = ChannelColumnList(column, lang);
                const int index = Uniform(rng, 0, static_cast<int>(list.size()) - 1);
                ch.index(column) = static_cast<std::int16_t>(index);
                ch.text(column) = list[static_cast<std::size_t>(index)];
            }
        }
        ch.name = RandomName(rng);
    }
    return model;
}

// All 0xFF but one name on empty channel 3, decoded over a model that held other channels.
TEST(ImageCodec, AllFfImageIsEmptyKeepsNamesAndEncodesBackToFf) {
    MemoryImage in;
    in.fill(0xFF);
    for (std::size_t j = 0; j < 5; ++j) in.set(ChannelNameOffset(3) + j, "SPARE"[j]);
    Configuration cfg;
    cfg.channels.channel(5).freq[0] = "145.00000";
    cfg.channels.channel(6).name = "STALE";
    DecodeImage(in, cfg, Language::English);
    ChannelModel expected;
    expected.channel(3).name = "SPARE";
    EXPECT_EQ(cfg.channels, expected);

    MemoryImage out;
    out.fill(0x5A);
    EncodeImage(cfg, out);
    for (std::size_t i = 0; i < kSettingsRegion; ++i) ASSERT_EQ(out.at(i), 0xFF) << i;
    for (std::size_t i = kNameRegion; i < kSpareByte; ++i) ASSERT_EQ(out.at(i), in.at(i)) << i;
    for (int i = kUnwrittenFirst; i <= kUnwrittenLast; ++i)
        EXPECT_EQ(out.at(static_cast<std::size_t>(i)), 0x5A) << i;
    EXPECT_EQ(out.at(kSpareByte), 0x5A);
}

TEST(ImageCodec, ValidModelsSurviveEncodeThenDecode) {
    std::mt19937 rng(2024);
    for (Language lang : {Language::Chinese, Language::English}) {
        for (int round = 0; round < 20; ++round) {
            Configuration cfg;
            cfg.channels = RandomModel(rng, lang);
            MemoryImage image;
            EncodeImage(cfg, image);
            Configuration back;
            DecodeImage(image, back, lang);
            ASSERT_EQ(back.channels, cfg.channels) << "round " << round;
        }
    }
}

// Any image, settings block included, is stable after one pass.
TEST(ImageCodec, DecodeEncodeIsStableAfterOnePass) {
    for (int round = 0; round < 300; ++round) {
        const MemoryImage in = test::PatternImage(static_cast<std::uint32_t>(round));
        const Language lang = round % 2 ? Language::English : Language::Chinese;
        Configuration first;
        DecodeImage(in, first, lang);
        MemoryImage once;
        EncodeImage(first, once);
        Configuration second;
        DecodeImage(once, second, lang);
        MemoryImage twice;
        EncodeImage(second, twice);
        ASSERT_EQ(twice, once) << "round " << round;
    }
}

}  // namespace
}  // namespace varel
