// The settings table, the settings model, the entry check of the FM window and the codec of
// the settings block.
#include "image/settings_codec.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "image/encodings.h"
#include "image/numeric_text.h"
#include "image/settings_input.h"

namespace varel {
namespace {

using Id = SettingId;
using ByteList = std::vector<std::uint8_t>;

void DecodeAll(const MemoryImage& in, SettingsModel& s) {
    DecodeSettingsBeforeBand(in, s);
    DecodeBand(in, s);
    DecodeSettingsAfterBand(in, s);
}

MemoryImage Filled(std::uint8_t value) {
    MemoryImage image;
    image.fill(value);
    return image;
}

ByteList Bytes(const MemoryImage& image, int offset, int count) {
    ByteList out;
    for (int i = 0; i < count; ++i) out.push_back(image.at(static_cast<std::size_t>(offset + i)));
    return out;
}

void Put(MemoryImage& image, int offset, const ByteList& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i)
        image.set(static_cast<std::size_t>(offset) + i, bytes[i]);
}

// The bytes an encode of s writes at offset into an image filled with 0x5A.
ByteList Encoded(const SettingsModel& s, int offset, int count) {
    MemoryImage out = Filled(0x5A);
    EncodeSettings(s, out);
    return Bytes(out, offset, count);
}

TEST(DecodeSettings, AllFfBlockGivesDefaultsAndKeepsListsThatLackTheValue) {
    SettingsModel s;
    for (auto [id, previous] : {std::pair{Id::BacklightMode, 2},
                                {Id::AShiftDirection, 0},
                                {Id::BShiftDirection, 2},
                                {Id::FmDisplayMode, 1},
                                {Id::FmStep, 2},
                                {Id::Band, 1}})
        ASSERT_TRUE(s.setIndex(id, previous));
    DecodeAll(Filled(0xFF), s);
    // clang-format off
    const std::pair<Id, int> indexes[] = {
        // A whole byte at or above its limit selects the list's fallback; a bit field takes
        // its bits.
        {Id::ADisplayMode, 1}, {Id::SquelchLevel, 5}, {Id::ChannelNameEditable, 0},
        {Id::KeyLockMode, 3}, {Id::VoxGainLevel, 7}, {Id::ARxTone, 0}, {Id::APower, 1},
        // No entry 3 or 255 in these lists: the previous selections stay.
        {Id::BacklightMode, 2}, {Id::AShiftDirection, 0}, {Id::BShiftDirection, 2},
        {Id::FmDisplayMode, 1}, {Id::FmStep, 2}, {Id::Band, 1}};
    const std::pair<Id, const char*> texts[] = {
        {Id::AChannelNumber, ""}, {Id::BChannelNumber, ""}, {Id::DisplayCharacter, ""},
        {Id::AFrequency, "FFF.FFFFF"}, {Id::AOffsetData, "0.00000"}, {Id::FmVfo, ""}};
    // clang-format on
    for (auto [id, expected] : indexes) EXPECT_EQ(s.index(id), expected) << Field(id).caption.en;
    for (auto [id, expected] : texts) EXPECT_EQ(s.text(id), expected) << Field(id).caption.en;
    for (int n = 1; n <= kFmChannelCount; ++n) EXPECT_EQ(s.fmChannel(n), "") << n;
    EXPECT_EQ(s.number(Id::FmPresentChannel), 255);
    for (int i = 0; i < kTuningCount; ++i) EXPECT_EQ(s.tuning(i), 255) << i;
}

TEST(EncodeSettings, RightAfterTheResetWritesTheResetBytes) {
    MemoryImage out;
    EncodeSettings(SettingsModel(), out);
    // clang-format off
    const std::pair<int, ByteList> expected[] = {
        {1792, {0x00, 0x01, 0x04, 0x01, 0x05, 0x01}},
        {1798, {0x7D, 0x78, 0x2F, 0x01, 0x01, 0x01, 0x00, 0x04, 0x01, 0x02}},
        {1808, {'L', 'M', 'Q', '-', 'Z', 'R', 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {1824, {0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFD, 0xFF,
                0x01, 0xFF}},
        {1840, {0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFD, 0xFF,
                0x01, 0xFF}},
        {1856, {0xFF, 0xFF, 0xFF, 0xFF}}, {1888, {0xFF, 0xFF}}, {1936, {0xFF, 0xFF}},
        {1952, {0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF}},
        {2016, {218, 218, 116, 0x00, 0xFF}}, {2032, {218, 218, 116, 0xFF}}};
    // clang-format on
    for (const auto& [offset, bytes] : expected)
        EXPECT_EQ(Bytes(out, offset, static_cast<int>(bytes.size())), bytes) << "at " << offset;
}

// A byte is written when it comes out the same whatever the image held before, and left alone
// when it keeps each of two different markers.
TEST(EncodeSettings, WritesEveryByteOfTheBlockExceptTheReservedOnes) {
    SettingsModel varied;
    varied.setText(Id::DisplayCharacter, "AB");
    varied.setFmChannel(3, "99.90");
    for (const SettingsModel& model : {SettingsModel(), varied}) {
        MemoryImage a = Filled(0x5A);
        MemoryImage b = Filled(0xA5);
        EncodeSettings(model, a);
        EncodeSettings(model, b);
        for (std::size_t i = 0; i < kImageSize; ++i) {
            if (i >= kSettingsRegion && i < kSettingsRegionEnd &&
                !(i >= kUnwrittenFirst && i <= kUnwrittenLast)) {
                EXPECT_EQ(a.at(i), b.at(i)) << "byte " << i << " not written";
            } else {
                EXPECT_TRUE(a.at(i) == 0x5A && b.at(i) == 0xA5) << "byte " << i << " written";
            }
        }
    }
}

TEST(DisplayTexts, FillBytesAreDroppedWhereverTheyStandAndTextsAreCut) {
    SettingsModel s;
    s.setText(Id::DisplayCharacter, "AB");
    s.setText(Id::PasswordText, "123456");
    EXPECT_EQ(Encoded(s, 1816, 6), (ByteList{0x41, 0x42, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Encoded(s, 1856, 4), (ByteList{'1', '2', '3', '4'}));
    s.setText(Id::DisplayCharacter, "中-#*X*Y");  // outside the code page: '?'
    EXPECT_EQ(Encoded(s, 1816, 6), (ByteList{'?', '-', '#', '*', 'X', '*'}));

    MemoryImage in;
    Put(in, 1816, {0x41, 0xFF, 0x42, 0xFF, 0xFF, 0xFF});
    Put(in, 1856, {0xFF, '7', 0xE9, '9'});
    DecodeAll(in, s);
    EXPECT_EQ(s.text(Id::DisplayCharacter), "AB");
    EXPECT_EQ(s.text(Id::PasswordText),
              "7\xC3\xA9"
              "9");
    EXPECT_EQ(Encoded(s, 1856, 4), (ByteList{'7', 0xE9, '9', 0xFF}));
}

TEST(VoxByte, SplitsIntoGainDelayAndSwitchAndBuildsBack) {
    const std::tuple<std::uint8_t, int, int, int, bool, std::uint8_t> cases[] = {
        {0x37, 1, 2, 1, true, 0x37}, {0xE0, 7, 0, 0, false, 0xE6}};
    for (const auto& [stored, gain, delay, on, check, built] : cases) {
        MemoryImage in;
        in.set(1800, stored);
        SettingsModel s;
        DecodeAll(in, s);
        EXPECT_EQ(s.index(Id::VoxGainLevel), gain);
        EXPECT_EQ(s.index(Id::VoxDelayTime), delay);
        EXPECT_EQ(s.index(Id::VoxSwitch), on);
        EXPECT_EQ(s.checked(Id::ProhibitVoxReceiving), check);
        EXPECT_EQ(Encoded(s, 1800, 1), ByteList{built});  // bits 1 and 2 always set
    }
}

struct VfoGroup {
    int base;
    Id power, busy, scan, wide, prohibit, offset;
};
const VfoGroup kGroups[] = {{0x720, Id::APower, Id::ABusyChannelLock, Id::AAddScan, Id::AWideNarrow,
                             Id::ATxProhibit, Id::AOffsetData},
                            {0x730, Id::BPower, Id::BBusyChannelLock, Id::BAddScan, Id::BWideNarrow,
                             Id::BTxProhibit, Id::BOffsetData}};

TEST(VfoFlags, PowerReadsBothLowBitsSoMiddleSurvives) {
    for (const VfoGroup& g : kGroups) {
        SettingsModel s;
        ASSERT_TRUE(s.setIndex(g.power, 2));
        for (Id id : {g.busy, g.scan, g.wide, g.prohibit}) s.setIndex(id, 0);
        MemoryImage image;
        EncodeSettings(s, image);
        EXPECT_EQ(image.at(static_cast<std::size_t>(g.base + 0x0C)), 0xC2) << g.base;
        for (auto [byte, power] : {std::pair{0xC2, 2}, {0x00, 0}, {0x01, 1}, {0x03, 1}}) {
            image.set(static_cast<std::size_t>(g.base + 0x0C), static_cast<std::uint8_t>(byte));
            SettingsModel back;
            DecodeAll(image, back);
            EXPECT_EQ(back.index(g.power), power) << byte;
        }
        image.set(static_cast<std::size_t>(g.base + 0x0C), 0x3C);  // bits 2-5
        DecodeAll(image, s);
        for (Id id : {g.busy, g.scan, g.wide, g.prohibit}) EXPECT_EQ(s.index(id), 1);
    }
}

TEST(VfoFlags, HiddenListsAreWrittenButNeverReadBack) {
    MemoryImage in;  // flags byte 0x72C = 0: bits 6 and 7 clear
    SettingsModel s;
    DecodeAll(in, s);
    EXPECT_EQ(s.index(Id::AScramble), 1);
    EXPECT_EQ(s.index(Id::ACompanding), 1);
    ASSERT_TRUE(s.setIndex(Id::AScramble, 0));
    EXPECT_EQ(Encoded(s, 0x72C, 1), ByteList{0x80});
}

TEST(VfoOffset, BothGroupsReadAndWriteTheSameWay) {
    for (const VfoGroup& g : kGroups) {
        MemoryImage in;
        Put(in, g.base + 4, {0x00, 0x05, 0x00, 0x01});
        SettingsModel s;
        DecodeAll(in, s);
        EXPECT_EQ(s.text(g.offset), "10.00500") << g.base;
        // clang-format off
        const std::pair<const char*, ByteList> cases[] = {
            {"10", {0x00, 0x00, 0x00, 0x01}}, {"10.00000", {0x00, 0x00, 0x00, 0x01}},
            {"99.995", {0x00, 0x95, 0x99, 0x09}}, {"5.125", {0x00, 0x25, 0x51, 0x00}},
            {"", {0x00, 0x00, 0x00, 0x00}}};
        // clang-format on
        for (const auto& [text, bytes] : cases) {
            s.setText(g.offset, text);
            EXPECT_EQ(Encoded(s, g.base + 4, 4), bytes) << text;
        }
    }
}

TEST(VfoFrequency, MalformedTextSkipsOnlyTheBytesThatCannotBeBuilt) {
    SettingsModel s;
    s.setText(Id::AFrequency, "145.12500");
    EXPECT_EQ(Encoded(s, 0x720, 4), (ByteList{0x00, 0x25, 0x51, 0x14}));
    s.setText(Id::AFrequency, "14x.12500");
    EXPECT_EQ(Encoded(s, 0x720, 4), (ByteList{0x00, 0x25, 0x5A, 0x14}));
}

TEST(VfoTones, StoreCodesAndReadBackPositionsAndUnlistedCodesReadAsOff) {
    SettingsModel s;
    s.setIndex(Id::BTxTone, ToneIndex("D754I", Language::English));
    s.setIndex(Id::ARxTone, ToneIndex("67.0", Language::English));
    MemoryImage image;
    EncodeSettings(s, image);
    EXPECT_EQ(Bytes(image, 0x728, 2), (ByteList{0x70, 0x06}));
    EXPECT_EQ(Bytes(image, 0x73A, 2), (ByteList{0x54, 0xC7}));
    Put(image, 0x72A, {0x99, 0x99});
    SettingsModel back;
    back.setIndex(Id::ATxTone, 5);
    DecodeAll(image, back);
    EXPECT_EQ(back.index(Id::ATxTone), 0);
    EXPECT_EQ(back.displayText(Id::BTxTone, Language::English), "D754I");
    EXPECT_EQ(back.displayText(Id::ARxTone, Language::English), "67.0");
}

TEST(FmWords, DecodeExactlyToTwoDecimalTextsUpTo108) {
    // clang-format off
    const std::pair<ByteList, const char*> cases[] = {
        {{0x00, 0x00}, "87.00"}, {{0x00, 0x0B}, "88.10"}, {{0x00, 0xD1}, "107.90"},
        {{0x00, 0xD2}, "108.00"}, {{0x00, 0xD3}, ""}, {{0x00, 0xFF}, ""}, {{0x01, 0x00}, ""},
        {{0x7F, 0x0B}, ""}, {{0xFF, 0x00}, ""}, {{0xFF, 0xFF}, ""}};
    // clang-format on
    for (const auto& [word, text] : cases) {
        MemoryImage in;
        for (int offset : {0x760, 0x790, 0x7A4}) Put(in, offset, word);  // channels 1, 25, VFO
        SettingsModel s;
        for (Id id : {FmChannelId(1), FmChannelId(25), Id::FmVfo}) {
            s.setText(id, "99.00");
            DecodeAll(in, s);
            EXPECT_EQ(s.text(id), text) << int(word[0]) << " " << int(word[1]);
        }
    }
    for (int v = 0; v <= 210; ++v) {  // every word lands on its own 100 kHz step
        MemoryImage in;
        Put(in, 0x770, {0x00, static_cast<std::uint8_t>(v)});
        SettingsModel s;
        DecodeAll(in, s);
        EXPECT_EQ(s.fmChannel(9), FormatFixed((870 + v) / 10.0, 1, 2)) << v;
    }
}

TEST(FmWords, EncodeFromTheTextsDigits) {
    // clang-format off
    const std::pair<const char*, ByteList> cases[] = {
        {"88.1", {0x00, 0x0B}}, {"88.10", {0x00, 0x0B}}, {"107.9", {0x00, 0xD1}},
        {"87", {0x00, 0x00}}, {"108.00", {0x00, 0xD2}}, {"", {0xFF, 0xFF}},
        {"88.15", {0x00, 0x0C}}, {"88.149", {0x00, 0x0B}},  // half-way goes up
        // Below 87 MHz or beyond a word: skipped, the image keeps what it held.
        {"abc", {0x5A, 0x5A}}, {"80", {0x5A, 0x5A}}, {"-88", {0x5A, 0x5A}},
        {"99999999", {0x5A, 0x5A}}};
    // clang-format on
    for (const auto& [text, bytes] : cases) {
        SettingsModel s;
        s.setFmChannel(2, text);
        EXPECT_EQ(Encoded(s, 0x762, 2), bytes) << "'" << text << "'";
    }
    // The VFO stores FF FF for any text that reads as 0.
    const std::pair<const char*, ByteList> vfo[] = {{"", {0xFF, 0xFF}},
                                                    {"0", {0xFF, 0xFF}},
                                                    {"abc", {0xFF, 0xFF}},
                                                    {"-5", {0x5A, 0x5A}},
                                                    {"107.9", {0x00, 0xD1}}};
    for (const auto& [text, bytes] : vfo) {
        SettingsModel s;
        s.setText(Id::FmVfo, text);
        EXPECT_EQ(Encoded(s, 0x7A4, 2), bytes) << "'" << text << "'";
    }
}

TEST(FmState, PresentChannelIsAPlainByteSkippedWhenWhatWasTypedDoesNotFit) {
    SettingsModel s;
    s.setNumber(Id::FmPresentChannel, 12);
    EXPECT_EQ(Encoded(s, 1952, 1), ByteList{0x0C});
    ASSERT_TRUE(s.setNumber(Id::FmPresentChannel, 300));
    EXPECT_EQ(Encoded(s, 1952, 1), ByteList{0x5A});
}

TEST(DecodeSettings, ListBytesObeyLimitsDefaultsAndListSizes) {
    const int kKept = -1;
    // clang-format off
    const struct { int offset; std::uint8_t byte; Id id; int expected; } cases[] = {
        {1792, 1, Id::ADisplayMode, 1}, {1792, 2, Id::ADisplayMode, kKept},
        {1792, 4, Id::ADisplayMode, 1}, {1795, 2, Id::BDisplayMode, 0},
        {1796, 9, Id::SquelchLevel, 9}, {1796, 10, Id::SquelchLevel, 5},
        {1804, 15, Id::AutoPowerOff, 15}, {1804, 16, Id::AutoPowerOff, 0},
        {1805, 8, Id::BStepFrequency, 1}, {1806, 2, Id::ChannelNameEditable, kKept},
        {1806, 3, Id::ChannelNameEditable, 0}, {1799, 0x80, Id::BacklightMode, 2},
        {1799, 0xC0, Id::BacklightMode, kKept}, {1854, 255, Id::BShiftDirection, kKept},
        {1954, 2, Id::FmStep, 2}, {1954, 3, Id::FmStep, kKept}, {1814, 3, Id::Band, kKept}};
    // clang-format on
    for (const auto& c : cases) {
        SettingsModel s;
        const int previous = c.expected == 0 ? 1 : 0;  // differs from the expected position
        ASSERT_TRUE(s.setIndex(c.id, previous));
        MemoryImage in;
        in.set(static_cast<std::size_t>(c.offset), c.byte);
        DecodeAll(in, s);
        EXPECT_EQ(s.index(c.id), c.expected == kKept ? previous : c.expected)
            << "byte " << c.offset << " = " << int(c.byte);
    }
}

TEST(ChannelNumbers, ShowUpTo128AndStoreEmptyBoxesPerGroup) {
    for (auto [byte, text] : {std::pair{0, "0"}, {128, "128"}, {129, ""}, {255, ""}}) {
        MemoryImage in;
        in.set(1797, static_cast<std::uint8_t>(byte));
        in.set(1803, static_cast<std::uint8_t>(byte));
        SettingsModel s;
        DecodeAll(in, s);
        EXPECT_EQ(s.text(Id::AChannelNumber), text) << byte;
        EXPECT_EQ(s.text(Id::BChannelNumber), text) << byte;
    }
    // clang-format off
    const struct { const char* text; std::uint8_t a, b; } cases[] = {
        {"", 0xFF, 0x00}, {"128", 0x80, 0x80}, {"0", 0, 0},
        {"300", 0x5A, 0x5A}, {"abc", 0x5A, 0x5A}, {"-1", 0x5A, 0x5A}};
    // clang-format on
    for (const auto& c : cases) {
        SettingsModel s;
        s.setText(Id::AChannelNumber, c.text);
        s.setText(Id::BChannelNumber, c.text);
        EXPECT_EQ(Encoded(s, 1797, 1), ByteList{c.a}) << "'" << c.text << "'";
        EXPECT_EQ(Encoded(s, 1803, 1), ByteList{c.b}) << "'" << c.text << "'";
    }
}

TEST(Tuning, SlidersMapToTheirBytes) {
    MemoryImage image;
    Put(image, 2032, {1, 2, 3});
    Put(image, 2016, {4, 5, 6});
    SettingsModel s;
    DecodeAll(image, s);
    for (int i = 0; i < kTuningCount; ++i) EXPECT_EQ(s.tuning(i), i + 1) << i;
    for (int i = 0; i < kTuningCount; ++i) s.setTuning(i, 250 - i);
    EncodeSettings(s, image);
    EXPECT_EQ(Bytes(image, 2032, 3), (ByteList{250, 249, 248}));
    EXPECT_EQ(Bytes(image, 2016, 3), (ByteList{247, 246, 245}));
}

TEST(DecodeStages, TheBandIsReadInItsOwnStepOnly) {
    MemoryImage in;
    in.set(kBandOffset, 2);
    in.set(1792, 1);
    SettingsModel before;
    before.setTuning(0, 9);
    SettingsModel s = before;
    DecodeBand(in, s);
    SettingsModel expected = before;
    expected.setBand(2);
    EXPECT_EQ(s, expected);
    s = before;
    DecodeSettingsBeforeBand(in, s);
    EXPECT_EQ(s.index(Id::ADisplayMode), 1);
    EXPECT_EQ(s.tuning(0), 9);
    DecodeSettingsAfterBand(in, s);
    EXPECT_EQ(s.tuning(0), 0);
    EXPECT_EQ(s.band(), 0);
}

// Random values within what the editors hold after their checks.
SettingsModel RandomSettings(std::mt19937& rng) {
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const std::string chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*#-";
    SettingsModel s;
    for (const SettingField& f : SettingFields()) {
        if (f.offset < 0 || !f.decoded) continue;  // never read back: stays at its start
        std::string t;
        switch (f.kind) {
            case FieldKind::List:
            case FieldKind::Tone:
                s.setIndex(f.id, pick(0, f.entryCount() - 1));
                break;
            case FieldKind::Check:
                s.setChecked(f.id, true);  // the encoder always sets the bit
                break;
            case FieldKind::ChannelNumber:  // an empty B box is stored as 0 and reads as "0"
                s.setText(f.id, f.id == Id::AChannelNumber && pick(0, 4) == 0
                                    ? ""
                                    : std::to_string(pick(1, 128)));
                break;
            case FieldKind::Text:
                for (int n = pick(0, f.maxLength); n > 0; --n)
                    t += chars[static_cast<std::size_t>(pick(0, f.maxLength == 4 ? 9 : 38))];
                s.setText(f.id, t);
                break;
            case FieldKind::Frequency:
                t = std::to_string(pick(0, 1) ? pick(136, 173) : pick(400, 469)) + "." +
                    FormatFixed(pick(0, 99999), 5, 0);
                s.setText(f.id, SnapFrequency(t).value_or(""));
                break;
            case FieldKind::Offset:  // as a decode shows it
                s.setText(f.id, FormatFixed(pick(0, 19999) * 0.005, 1, 5));
                break;
            case FieldKind::FmFrequency: {
                const int tenths = pick(869, 1079);
                s.setText(f.id, tenths < 870 ? "" : FormatFixed(tenths / 10.0, 1, 2));
                break;
            }
            case FieldKind::Number:
                s.setNumber(f.id, pick(0, 255));
                break;
        }
    }
    return s;
}

TEST(SettingsRoundTrip, RandomEditorValuesSurviveEncodeAndDecode) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 300; ++round) {
        const SettingsModel original = RandomSettings(rng);
        MemoryImage image;
        EncodeSettings(original, image);
        SettingsModel decoded;
        DecodeAll(image, decoded);
        for (const SettingField& f : SettingFields())
            EXPECT_EQ(decoded.displayText(f.id, Language::English),
                      original.displayText(f.id, Language::English))
                << f.objectName << " " << f.caption.en;
        ASSERT_EQ(decoded, original) << "round " << round;
    }
}

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

TEST(SettingsModel, RefusesWhatTheEditorsCannotHold) {
    SettingsModel s;
    ASSERT_TRUE(s.setIndex(Id::ADisplayMode, 1));
    ASSERT_TRUE(s.setIndex(Id::BRxTone, 264));
    s.setBand(2);
    const SettingsModel before = s;
    for (int bad : {-1, 2, 255}) EXPECT_FALSE(s.setIndex(Id::ADisplayMode, bad)) << bad;
    EXPECT_FALSE(s.setIndex(Id::BRxTone, 265));
    s.setBand(3);
    s.setBand(-1);
    EXPECT_FALSE(s.setIndex(Id::AFrequency, 0));  // wrong kinds
    EXPECT_FALSE(s.setText(Id::Beep, "On"));
    EXPECT_FALSE(s.setChecked(Id::Beep, true));
    EXPECT_FALSE(s.setIndex(static_cast<Id>(kSettingCount), 0));
    for (auto [slider, value] : {std::pair{6, 100}, {-1, 100}, {0, 256}, {0, -1}})
        EXPECT_FALSE(s.setTuning(slider, value)) << slider << " " << value;
    EXPECT_FALSE(s.setFmChannel(0, "88.00"));
    EXPECT_FALSE(s.setFmChannel(26, "88.00"));
    EXPECT_EQ(s, before);
    EXPECT_EQ(s.band(), 2);
    EXPECT_TRUE(s.setNumber(Id::FmPresentChannel, 300));  // typed into a list that allows it
}

// The FM window's entry check.
TEST(FmEntryCheck, RangeBothEndsIncludedAndSnappedText) {
    // clang-format off
    const std::tuple<const char*, FmEntry, const char*> cases[] = {
        {"", FmEntry::Empty, ""}, {"88.1.2", FmEntry::NotNumber, ""},
        {"abc", FmEntry::NotNumber, ""}, {"86.99", FmEntry::OutOfRange, ""},
        {"107.91", FmEntry::OutOfRange, ""}, {"87", FmEntry::Accepted, "87.00"},
        {"88.", FmEntry::Accepted, "88.00"}, {"88.1", FmEntry::Accepted, "88.10"},
        {"88.149", FmEntry::Accepted, "88.10"}, {"107.9", FmEntry::Accepted, "107.90"},
        {"88.17", FmEntry::Accepted, "88.15"}};
    // clang-format on
    for (const auto& [typed, entry, text] : cases) {
        const FmCheck check = CheckFmEntry(typed);
        EXPECT_EQ(check.entry, entry) << typed;
        EXPECT_EQ(check.text, text) << typed;
    }
}

}  // namespace
}  // namespace varel

namespace varel {
namespace {

// A text given whole takes the "Display Character:" box's rules; anything the box would drop
// refuses the whole text rather than losing a character silently.
TEST(DisplayCharacterText, TakesWhatTheBoxTakesAndRefusesTheRest) {
    const std::pair<const char*, const char*> cases[] = {
        {"ab-1", "AB-1"}, {"", ""},          {"*#-09Z", "*#-09Z"}, {"CLUB001", nullptr},
        {"A B", nullptr}, {"CLÜB", nullptr}, {"a.b", nullptr},     {"\t", nullptr},
    };
    for (const auto& [given, taken] : cases) {
        SCOPED_TRACE(given);
        const auto text = DisplayCharacterText(given);
        ASSERT_EQ(text.has_value(), taken != nullptr);
        if (taken != nullptr) {
            EXPECT_EQ(*text, taken);
        }
    }
}

TEST(NumberedDisplayTexts, NumberOnFromTheFirstAndRefuseWhatDoesNotFit) {
    using Texts = std::vector<std::string>;
    const std::tuple<const char*, int, Texts> cases[] = {
        {"CLUB01", 3, {"CLUB01", "CLUB02", "CLUB03"}},
        {"club", 2, {"CLUB01", "CLUB02"}},
        {"R08", 3, {"R08", "R09", "R10"}},
        {"A9", 2, {"A9", "A10"}},
        {"", 2, {"01", "02"}},
        {"CLUB99", 2, {}},  // CLUB100 is seven characters
        {"CLUB 1", 2, {}},
        {"CLUB01", 0, {}},
    };
    for (const auto& [first, count, texts] : cases) {
        SCOPED_TRACE(first);
        EXPECT_EQ(NumberedDisplayTexts(first, count), texts);
    }
    // As many digits as the highest number needs.
    const Texts hundred = NumberedDisplayTexts("T", 100);
    ASSERT_EQ(hundred.size(), 100u);
    EXPECT_EQ(hundred.front(), "T001");
    EXPECT_EQ(hundred.back(), "T100");
}

}  // namespace
}  // namespace varel
