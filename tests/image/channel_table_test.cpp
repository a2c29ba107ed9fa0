// The channel table's edit rules: frequency entry against the band, new-channel defaults,
// clearing, names, list picks and the refresh after a language change.
#include "image/channel_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "image/channel_columns.h"
#include "image/typed_input.h"

namespace varel {
namespace {

const FrequencyBand kBand0 = *BandBounds(0);
const FrequencyBand kBand1 = *BandBounds(1);  // A:144-146MHz B:430-440MHz

std::vector<std::string> Cells(const ChannelTable& t, int row) {
    std::vector<std::string> cells;
    for (int c = 1; c <= kNameColumn; ++c) cells.push_back(t.cell(row, c));
    return cells;
}

TEST(ChannelTable, ReceiveFrequencyOfAnEmptyChannelMakesANewChannelWithDefaults) {
    for (Language lang : {Language::Chinese, Language::English}) {
        ChannelTable t;
        ASSERT_EQ(t.CommitFrequency(3, kRxFreqColumn, "145.5", kBand1, lang),
                  FrequencyCommit::Accepted);
        const std::vector<std::string> expected =
            lang == Language::English
                ? std::vector<std::string>{"145.50000", "145.50000", "Off",  "Off", "High",
                                           "Off",       "On",        "Wide", "Off", ""}
                : std::vector<std::string>{"145.50000", "145.50000", "关闭", "关闭", "高",
                                           "关",        "使能",      "宽带", "关",   ""};
        EXPECT_EQ(Cells(t, 3), expected);
        EXPECT_EQ(t.model().channel(3).cellIndex,
                  (std::array<std::int16_t, kListColumns>{0, 0, 1, 1, 1, 1, 1}));
    }
}

TEST(ChannelTable, NewReceiveFrequencyOfAnExistingChannelChangesOnlyThatCell) {
    ChannelTable t;
    t.CommitFrequency(1, kRxFreqColumn, "145", kBand0, Language::English);
    t.CommitChoice(1, kPowerColumn, 0, Language::English);
    ChannelRowState noTransmit = t.row(1);  // as decoded from a record without TX frequency
    noTransmit.channel.freq[1].clear();
    t.setRow(1, noTransmit);
    const auto before = Cells(t, 1);
    ASSERT_EQ(t.CommitFrequency(1, kRxFreqColumn, "146.12345", kBand0, Language::English),
              FrequencyCommit::Accepted);
    auto expected = before;
    expected[0] = "146.12000";
    EXPECT_EQ(Cells(t, 1), expected);
    EXPECT_EQ(t.model().channel(1).freq[1], "");
}

TEST(ChannelTable, BandBoundsDependOnTheLanguageOnlyAtTheUpperEnd) {
    struct Case {
        FrequencyBand band;
        const char* typed;
        bool chinese, english;
    };
    const Case cases[] = {
        {kBand1, "146", false, true},      {kBand1, "144", true, true},
        {kBand1, "143.995", false, false}, {kBand0, "469.995", true, true},
        {kBand0, "470", false, false},     {kBand0, "173.995", true, true},
        {kBand0, "174", false, false},     {kBand0, "400", true, true},
    };
    for (const Case& c : cases) {
        for (Language lang : {Language::Chinese, Language::English}) {
            ChannelTable t;
            const bool accepted = t.CommitFrequency(1, kRxFreqColumn, c.typed, c.band, lang) ==
                                  FrequencyCommit::Accepted;
            EXPECT_EQ(accepted, lang == Language::English ? c.english : c.chinese)
                << c.typed << " in " << (lang == Language::English ? "English" : "Chinese");
            if (!accepted) {
                EXPECT_EQ(Cells(t, 1), std::vector<std::string>(10));
            }
        }
    }
}

TEST(ChannelTable, EmptyingAndMalformedEntries) {
    ChannelTable t;
    t.CommitFrequency(5, kRxFreqColumn, "145.5", kBand0, Language::English);
    t.CommitName(5, "KEEP");
    const auto filled = Cells(t, 5);
    EXPECT_EQ(t.CommitFrequency(5, kTxFreqColumn, "", kBand0, Language::English),
              FrequencyCommit::Unchanged);
    EXPECT_EQ(t.CommitFrequency(5, kTxFreqColumn, "1.2.3", kBand0, Language::English),
              FrequencyCommit::Unchanged);
    EXPECT_EQ(Cells(t, 5), filled);
    // A leading zero must not shift the digits of the stored frequency.
    EXPECT_EQ(t.CommitFrequency(5, kTxFreqColumn, "0146.1", kBand0, Language::English),
              FrequencyCommit::Accepted);
    EXPECT_EQ(t.cell(5, kTxFreqColumn), "146.10000");
    EXPECT_EQ(t.CommitFrequency(5, kRxFreqColumn, "", kBand0, Language::English),
              FrequencyCommit::Cleared);
    EXPECT_EQ(Cells(t, 5), std::vector<std::string>(10));
    EXPECT_EQ(t.model().channel(5), Channel{});
}

TEST(ChannelTable, PicksSetIndexAndText) {
    ChannelTable t;
    t.CommitFrequency(2, kRxFreqColumn, "145.5", kBand0, Language::Chinese);
    ASSERT_TRUE(t.CommitChoice(2, kRxToneColumn, 9, Language::Chinese));  // 88.5
    ASSERT_TRUE(t.CommitChoice(2, kPowerColumn, 2, Language::Chinese));
    EXPECT_FALSE(t.CommitChoice(2, kPowerColumn, 3, Language::Chinese));
    EXPECT_FALSE(t.CommitChoice(2, kNameColumn, 0, Language::Chinese));
    EXPECT_EQ(t.cell(2, kRxToneColumn), "88.5");
    EXPECT_EQ(t.model().channel(2).index(kRxToneColumn), 9);
    EXPECT_EQ(t.cell(2, kPowerColumn), "中");
    EXPECT_EQ(t.model().channel(2).index(kPowerColumn), 2);
}

// The name reaches the model at every key, its cell only on commit; opening the editor again
// starts from the cell.
TEST(ChannelTable, NameCellFollowsOnlyOnCommit) {
    ChannelTable t;
    t.CommitName(4, "OLD");
    t.TypeName(4, "NE\xC3\xBFW");
    EXPECT_EQ(t.model().channel(4).name, "NEW");
    EXPECT_EQ(t.cell(4, kNameColumn), "OLD");
    t.TakeNameCell(4);
    EXPECT_EQ(t.model().channel(4).name, "OLD");
    t.CommitName(4, "NEW");
    EXPECT_EQ(t.cell(4, kNameColumn), "NEW");
    t.ClearNO(4);
    EXPECT_EQ(t.row(4), ChannelRowState{});
}

TEST(ChannelTable, RefreshAfterALanguageChangeKeepsNames) {
    ChannelTable t;
    Channel& ch = t.model().channel(1);
    ch.freq = {"145.12500", ""};
    ch.text(kRxToneColumn) = "67.1";  // not in the tone list: position 0
    ch.text(kTxToneColumn) = "关闭";
    for (int c = kPowerColumn; c <= kLastListColumn; ++c) ch.index(c) = 1;
    ch.name = "ONE";
    t.model().channel(2).name = "ORPHAN";  // a name stored with an empty channel
    t.SetGrid();
    EXPECT_EQ(t.cell(1, kRxToneColumn), "67.1");
    EXPECT_EQ(t.cell(2, kNameColumn), "ORPHAN");

    t.RefreshGrid(Language::English);
    EXPECT_EQ(Cells(t, 1), (std::vector<std::string>{"145.12500", "", "Off", "Off", "High", "Off",
                                                     "On", "wide", "Off", "ONE"}));
    EXPECT_EQ(t.cell(2, kNameColumn), "ORPHAN");
    EXPECT_EQ(t.model().channel(2).name, "ORPHAN");
    EXPECT_THROW(t.cell(1, 11), std::out_of_range);
    EXPECT_THROW(t.cell(129, 1), std::out_of_range);
}

TEST(TypedInput, KeyFiltersOfTheTextBoxes) {
    EXPECT_EQ(FilterTyped(KeySet::ChannelName, "ab c1"), "ABC1");
    EXPECT_EQ(FilterTyped(KeySet::ChannelName, "a\"!{z\xE4\xB8\xAD#"), "AZ#");
    EXPECT_EQ(FilterTyped(KeySet::ChannelName, "abcdefgh", 6), "ABCDEF");
    EXPECT_EQ(FilterTyped(KeySet::DisplayCharacter, "ab-1xyz", 6), "AB-1XY");
    EXPECT_EQ(FilterTyped(KeySet::DisplayCharacter, "a+b_*#"), "AB*#");
    EXPECT_EQ(FilterTyped(KeySet::Decimal, "14a5.5,0"), "145.50");
    EXPECT_EQ(FilterTyped(KeySet::Digits, "1.2x3"), "123");
}

}  // namespace
}  // namespace varel
