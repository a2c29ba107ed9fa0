#include "image/encodings.h"

#include <gtest/gtest.h>

#include "image/numeric_text.h"

namespace varel {
namespace {

using FrequencyBytes = std::array<std::optional<std::uint8_t>, 4>;

TEST(FrequencyField, EncodesAndDecodesBcdLeastSignificantPairFirst) {
    EXPECT_EQ(DecodeFrequency({0x00, 0x25, 0x51, 0x14}), "145.12500");
    EXPECT_EQ(FrequencyField("145.12500"), (FrequencyBytes{0x00, 0x25, 0x51, 0x14}));
}

TEST(FrequencyField, NonBcdNibblesDecodeAsLettersAndReadBackAsHex) {
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

TEST(SnapFmFrequency, KeepsTwoDecimalsOnTheHalfStep) {
    EXPECT_EQ(SnapFmFrequency("88"), "88.00");
    EXPECT_EQ(SnapFmFrequency("88."), "88.00");
    EXPECT_EQ(SnapFmFrequency("88.1"), "88.10");
    EXPECT_EQ(SnapFmFrequency("88.17"), "88.15");
    EXPECT_EQ(SnapFmFrequency("88.149"), "88.10");
}

TEST(ToneField, DecodesEveryKind) {
    EXPECT_EQ(DecodeTone(0x70, 0x06, Language::English), "67.0");
    EXPECT_EQ(DecodeTone(0x00, 0x10, Language::English), "100.0");
    EXPECT_EQ(DecodeTone(0x41, 0x25, Language::English), "254.1");
    EXPECT_EQ(DecodeTone(0x23, 0x80, Language::English), "D023N");
    EXPECT_EQ(DecodeTone(0x06, 0x86, Language::English), "D606N");
    EXPECT_EQ(DecodeTone(0x54, 0xC7, Language::English), "D754I");
    EXPECT_EQ(DecodeTone(0xFF, 0x12, Language::English), "Off");
    EXPECT_EQ(DecodeTone(0xFF, 0xFF, Language::Chinese), "关闭");
}

TEST(ToneField, CodesRoundTripThroughTheWholeList) {
    using Field = std::array<std::optional<std::uint8_t>, 2>;
    EXPECT_EQ(ToneField("D754I"), (Field{0x54, 0xC7}));
    EXPECT_EQ(ToneField("67.0"), (Field{0x70, 0x06}));
    EXPECT_EQ(ToneField("D0Z3N"), (Field{std::nullopt, 0x80}));
    const auto& list = ToneList(Language::English);
    ASSERT_EQ(list.size(), static_cast<std::size_t>(kToneCount));
    for (int i = 1; i < kToneCount; ++i) {
        const auto [low, high] = ToneField(list[i]);
        ASSERT_TRUE(low && high) << list[i];
        EXPECT_EQ(DecodeTone(*low, *high, Language::Chinese), list[i]);
        EXPECT_EQ(ToneIndex(list[i], Language::Chinese), i);
    }
}

TEST(ToneList, OnlyTheOffEntryDependsOnTheLanguage) {
    EXPECT_EQ(ToneList(Language::Chinese)[0], "关闭");
    EXPECT_EQ(ToneList(Language::English)[0], "Off");
    EXPECT_EQ(ToneList(Language::English)[1], "67.0");
    EXPECT_EQ(ToneList(Language::English)[50], "254.1");
    EXPECT_EQ(ToneList(Language::English)[51], "D017N");
    EXPECT_EQ(ToneList(Language::English)[157], "D754N");
    EXPECT_EQ(ToneList(Language::English)[158], "D017I");
    EXPECT_EQ(ToneList(Language::English)[264], "D754I");
    EXPECT_EQ(ToneIndex("Off", Language::English), 0);
    EXPECT_EQ(ToneIndex("66.9", Language::English), 0);
    EXPECT_EQ(ToneIndex("Off", Language::Chinese), 0);
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

}  // namespace
}  // namespace varel
