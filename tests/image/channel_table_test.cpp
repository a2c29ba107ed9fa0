// The channel table: its edit rules (frequency entry against the band, new-channel defaults,
// clearing, names, list picks, the refresh after a language change); the grid's whole-channel
// commands: where every row ends up (and that it arrives whole), what is refused at the edges, and
// copy and paste through the clipboard text; and channel lists: the exact rows export writes, the
// round trip through import, hand-written files, every reason a row is skipped or changed, and
// malformed files.
#include "image/channel_table.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "files/data_file.h"
#include "image/channel_codec.h"
#include "image/channel_columns.h"
#include "image/encodings.h"
#include "image/image_codec.h"
#include "image/typed_input.h"
#include "lists/channel_commands.h"
#include "lists/channel_csv.h"
#include "lists/csv_text.h"
#include "support/temp_dir.h"

namespace varel {
namespace {

const FrequencyBand kBand0 = *BandBounds(0);
const FrequencyBand kBand1 = *BandBounds(1);  // A:144-146MHz B:430-440MHz
constexpr Language kEn = Language::English;
constexpr Language kZh = Language::Chinese;

std::vector<std::string> Cells(const ChannelTable& t, int row) {
    std::vector<std::string> cells;
    for (int c = 1; c <= kNameColumn; ++c) cells.push_back(t.cell(row, c));
    return cells;
}

TEST(ChannelTable, ReceiveFrequencyOfAnEmptyChannelMakesANewChannelWithDefaults) {
    for (Language lang : {kZh, kEn}) {
        ChannelTable t;
        ASSERT_EQ(t.CommitFrequency(3, kRxFreqColumn, "145.5", kBand1, lang),
                  FrequencyCommit::Accepted);
        const std::vector<std::string> expected =
            lang == kEn ? std::vector<std::string>{"145.50000", "145.50000", "Off",  "Off", "High",
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
    t.CommitFrequency(1, kRxFreqColumn, "145", kBand0, kEn);
    t.CommitChoice(1, kPowerColumn, 0, kEn);
    ChannelRowState noTransmit = t.row(1);  // as decoded from a record without TX frequency
    noTransmit.channel.freq[1].clear();
    t.setRow(1, noTransmit);
    const auto before = Cells(t, 1);
    ASSERT_EQ(t.CommitFrequency(1, kRxFreqColumn, "146.12345", kBand0, kEn),
              FrequencyCommit::Accepted);
    auto expected = before;
    expected[0] = "146.12000";
    EXPECT_EQ(Cells(t, 1), expected);
    EXPECT_EQ(t.model().channel(1).freq[1], "");
}

TEST(ChannelTable, BandBoundsDependOnTheLanguageOnlyAtTheUpperEnd) {
    const std::tuple<FrequencyBand, const char*, bool, bool> cases[] = {
        {kBand1, "146", false, true},      {kBand1, "144", true, true},
        {kBand1, "143.995", false, false}, {kBand0, "469.995", true, true},
        {kBand0, "470", false, false},     {kBand0, "173.995", true, true},
        {kBand0, "174", false, false},     {kBand0, "400", true, true},
    };
    for (const auto& [band, typed, chinese, english] : cases) {
        for (Language lang : {kZh, kEn}) {
            ChannelTable t;
            const bool accepted =
                t.CommitFrequency(1, kRxFreqColumn, typed, band, lang) == FrequencyCommit::Accepted;
            EXPECT_EQ(accepted, lang == kEn ? english : chinese)
                << typed << " in " << (lang == kEn ? "English" : "Chinese");
            if (!accepted) {
                EXPECT_EQ(Cells(t, 1), std::vector<std::string>(10));
            }
        }
    }
}

TEST(ChannelTable, EmptyingAndMalformedEntries) {
    ChannelTable t;
    t.CommitFrequency(5, kRxFreqColumn, "145.5", kBand0, kEn);
    t.CommitName(5, "KEEP");
    const auto filled = Cells(t, 5);
    EXPECT_EQ(t.CommitFrequency(5, kTxFreqColumn, "", kBand0, kEn), FrequencyCommit::Unchanged);
    EXPECT_EQ(t.CommitFrequency(5, kTxFreqColumn, "1.2.3", kBand0, kEn),
              FrequencyCommit::Unchanged);
    EXPECT_EQ(Cells(t, 5), filled);
    // A leading zero must not shift the digits of the stored frequency.
    EXPECT_EQ(t.CommitFrequency(5, kTxFreqColumn, "0146.1", kBand0, kEn),
              FrequencyCommit::Accepted);
    EXPECT_EQ(t.cell(5, kTxFreqColumn), "146.10000");
    EXPECT_EQ(t.CommitFrequency(5, kRxFreqColumn, "", kBand0, kEn), FrequencyCommit::Cleared);
    EXPECT_EQ(Cells(t, 5), std::vector<std::string>(10));
    EXPECT_EQ(t.model().channel(5), Channel{});
}

TEST(ChannelTable, PicksSetIndexAndText) {
    ChannelTable t;
    t.CommitFrequency(2, kRxFreqColumn, "145.5", kBand0, kZh);
    ASSERT_TRUE(t.CommitChoice(2, kRxToneColumn, 9, kZh));  // 88.5
    ASSERT_TRUE(t.CommitChoice(2, kPowerColumn, 2, kZh));
    EXPECT_FALSE(t.CommitChoice(2, kPowerColumn, 3, kZh));
    EXPECT_FALSE(t.CommitChoice(2, kNameColumn, 0, kZh));
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

    t.RefreshGrid(kEn);
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

// Channel n named "Nn" on a frequency of its own (or the one given).
void Put(ChannelTable& t, int n, const std::string& rx = {}, Language lang = kEn) {
    const std::string freq = rx.empty() ? std::to_string(144 + n * 0.0125) : rx;
    ASSERT_EQ(t.CommitFrequency(n, kRxFreqColumn, freq, kBand0, lang), FrequencyCommit::Accepted);
    t.CommitName(n, "N" + std::to_string(n));
}

// "row:name" for every row that shows anything, in row order.
std::string Layout(const ChannelTable& t) {
    std::string out;
    for (int r = 1; r <= 128; ++r)
        if (t.model().channel(r).exists() || !t.cell(r, kNameColumn).empty())
            out += (out.empty() ? "" : " ") + std::to_string(r) + ":" + t.cell(r, kNameColumn);
    return out;
}

// Every named row is the row that carried that name before, whole.
void ExpectRowsArrivedWhole(const ChannelTable& before, const ChannelTable& after) {
    std::map<std::string, ChannelRowState> byName;
    for (int r = 1; r <= 128; ++r) byName[before.cell(r, kNameColumn)] = before.row(r);
    for (int r = 1; r <= 128; ++r) {
        if (after.cell(r, kNameColumn).empty()) continue;
        EXPECT_TRUE(after.row(r) == byName.at(after.cell(r, kNameColumn))) << "row " << r;
    }
}

// i insert, d delete, c clear, u / v move up / down, m move by two, s sort.
bool Command(ChannelTable& t, char command, ChannelRange range) {
    switch (command) {
        case 'i':
            return InsertChannel(t, range.first);
        case 'd':
            DeleteChannels(t, range);
            return true;
        case 'c':
            ClearChannels(t, range);
            return true;
        case 's':
            SortByReceiveFrequency(t);
            return true;
        default:
            return MoveChannels(t, range, command == 'u' ? -1 : command == 'v' ? 1 : 2);
    }
}

TEST(ChannelCommands, RowsMoveWholeAndEdgesAreRefused) {
    // on128: row 128 before: "" empty, "N128" a channel, "KEEP" a name alone
    // layout: rows 1 to 5 and 127 hold N1 to N5 and N127 before
    const std::tuple<const char*, char, ChannelRange, bool, const char*> cases[] = {
        {"", 'i', {3, 3}, true, "1:N1 2:N2 4:N3 5:N4 6:N5 128:N127"},
        {"", 'i', {128, 128}, true, "1:N1 2:N2 3:N3 4:N4 5:N5 127:N127"},
        {"N128", 'i', {1, 1}, false, "1:N1 2:N2 3:N3 4:N4 5:N5 127:N127 128:N128"},
        {"KEEP", 'i', {1, 1}, false, "1:N1 2:N2 3:N3 4:N4 5:N5 127:N127 128:KEEP"},
        {"", 'd', {2, 3}, true, "1:N1 2:N4 3:N5 125:N127"},
        {"N128", 'd', {127, 128}, true, "1:N1 2:N2 3:N3 4:N4 5:N5"},
        {"", 'd', {1, 128}, true, ""},
        {"KEEP", 'c', {2, 127}, true, "1:N1 128:KEEP"},
        {"", 'u', {2, 3}, true, "1:N2 2:N3 3:N1 4:N4 5:N5 127:N127"},
        {"", 'v', {2, 3}, true, "1:N1 2:N4 3:N2 4:N3 5:N5 127:N127"},
        {"", 'v', {127, 127}, true, "1:N1 2:N2 3:N3 4:N4 5:N5 128:N127"},
        {"", 'u', {1, 2}, false, "1:N1 2:N2 3:N3 4:N4 5:N5 127:N127"},
        {"N128", 'v', {127, 128}, false, "1:N1 2:N2 3:N3 4:N4 5:N5 127:N127 128:N128"},
        {"", 'm', {3, 3}, false, "1:N1 2:N2 3:N3 4:N4 5:N5 127:N127"},
    };
    for (const auto& [on128, command, range, done, layout] : cases) {
        SCOPED_TRACE(std::string(1, command) + " " + std::to_string(range.first));
        ChannelTable t;
        for (int n : {1, 2, 3, 4, 5, 127}) Put(t, n);
        if (std::string(on128) == "N128") Put(t, 128);
        if (std::string(on128) == "KEEP") t.CommitName(128, "KEEP");
        const ChannelTable before = t;
        EXPECT_EQ(Command(t, command, range), done);
        EXPECT_EQ(Layout(t), layout);
        ExpectRowsArrivedWhole(before, t);
    }
    ChannelTable t;
    EXPECT_THROW(Command(t, 'd', {5, 4}), std::out_of_range);
    EXPECT_THROW(Command(t, 'u', {128, 129}), std::out_of_range);
}

TEST(ChannelCommands, SortPutsEqualFrequenciesInTheirOrderAndEmptyRowsLast) {
    ChannelTable t;
    for (const auto& [n, rx] : std::map<int, const char*>{
             {1, "438"}, {2, "145.5"}, {4, "145.5"}, {5, "145.125"}, {6, "145"}, {9, "144"}})
        Put(t, n, rx);
    t.CommitName(3, "ORPHAN");       // an empty channel with a name
    ChannelRowState odd = t.row(6);  // a frequency text from a decode that is not a frequency
    odd.channel.freq[0] = "1A5.12500";
    t.setRow(6, odd);
    const ChannelTable before = t;
    Command(t, 's', {});
    EXPECT_EQ(Layout(t), "1:N9 2:N5 3:N2 4:N4 5:N1 6:N6 7:ORPHAN");
    ExpectRowsArrivedWhole(before, t);
}

TEST(ChannelCommands, BulkPickChangesExistingChannelsOnly) {
    // cellOfRow1: the power cell, or the column's when it has a list
    const std::tuple<ChannelRange, int, int, Language, int, const char*> cases[] = {
        {{1, 5}, kPowerColumn, 0, kEn, 2, "Low"},  // channel 3 is Low already
        {{1, 5}, kPowerColumn, 0, kZh, 2, "低"},
        {{2, 5}, kPowerColumn, 0, kEn, 1, "High"},
        {{1, 128}, kRxToneColumn, ToneIndex("D023N", kEn), kEn, 3, "D023N"},
        {{1, 5}, kPowerColumn, 3, kEn, 0, "High"},  // a position the list lacks
        {{1, 5}, kNameColumn, 0, kEn, 0, "High"},
    };
    for (const auto& [range, column, position, lang, changed, cellOfRow1] : cases) {
        ChannelTable t;
        for (int n : {1, 3, 5}) Put(t, n, {}, lang);
        t.CommitChoice(3, kPowerColumn, 0, lang);
        t.CommitName(4, "NOCHAN");
        const ChannelTable before = t;
        EXPECT_EQ(BulkPick(t, range, column, position, lang), changed);
        EXPECT_EQ(t.cell(1, column == kNameColumn ? kPowerColumn : column), cellOfRow1);
        EXPECT_EQ(t.row(4), before.row(4));  // an empty channel is not made
    }
}

TEST(ChannelClipboard, CopyWritesTheListColumnsWithTabsWhateverTheLanguageAndPastesBack) {
    for (Language lang : {kZh, kEn}) {
        ChannelTable t;
        Put(t, 1, "145.125", lang);
        t.CommitFrequency(1, kTxFreqColumn, "145.725", kBand0, lang);
        t.CommitChoice(1, kTxToneColumn, ToneIndex("88.5", lang), lang);
        t.CommitChoice(1, kPowerColumn, 0, lang);
        Put(t, 3, "438.00625", lang);
        for (int c : {kRxToneColumn, kTxToneColumn})
            t.CommitChoice(3, c, ToneIndex("D754I", lang), lang);
        t.CommitChoice(3, kAddScanColumn, 0, lang);
        t.CommitChoice(3, kTxProhibitColumn, 0, lang);
        t.CommitName(3, "LONGNAME");  // all eight characters the radio holds
        const ChannelRowState first = t.row(1), third = t.row(3);
        t.RefreshGrid(lang == kEn ? kZh : kEn);  // a language switch
        const std::string text = CopyChannels(t.model(), {1, 3});
        EXPECT_EQ(text,
                  "Location\tName\tFrequency\tDuplex\tOffset\tTone\trToneFreq\tcToneFreq\t"
                  "DtcsCode\tDtcsPolarity\tRxDtcsCode\tCrossMode\tMode\tTStep\tSkip\tPower\t"
                  "Comment\tURCALL\tRPT1CALL\tRPT2CALL\tDVCODE\n"
                  "1\tN1\t145.125000\t+\t0.600000\tTone\t88.5\t88.5\t023\tNN\t023\tTone->Tone\t"
                  "FM\t5.00\t\t1.0W\t\t\t\t\t\n"
                  "2\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\n"
                  "3\tLONGNAME\t438.006250\toff\t0.000000\tDTCS\t88.5\t88.5\t754\tRR\t754\t"
                  "Tone->Tone\tFM\t6.25\tS\t5.0W\t\t\t\t\t\n");

        Put(t, 11, "146", lang);  // under the copy's empty channel 2
        const CsvImport result = PasteChannels(text, 10, t, kBand0, lang);
        EXPECT_TRUE(result.issues.empty()) << CsvReportText(result, kEn);
        EXPECT_EQ(result.channels, (std::vector<int>{10, 11, 12}));
        EXPECT_TRUE(t.row(10) == first);
        EXPECT_TRUE(t.row(11) == ChannelRowState{});
        EXPECT_TRUE(t.row(12) == third);
    }
}

// Busy Lock aside, which the list has no column for, and a channel without a transmit frequency
// (TX Prohibit On), which the list writes as "off" and the editor enters with transmit = receive.
TEST(ChannelClipboard, ACopiedConfigurationPastedIntoAnEmptyOneGivesTheSameRecords) {
    MemoryImage image;
    ASSERT_TRUE(LoadDataFile(VAREL_TEST_DATA "/sample.dat", image).ok());
    const FrequencyBand band = *BandBounds(Configuration{}.settings.band());
    for (Language lang : {kZh, kEn}) {
        Configuration cfg;
        DecodeImage(image, cfg, lang);
        ChannelTable target;
        const CsvImport result =
            PasteChannels(CopyChannels(cfg.channels, {1, 128}), 1, target, band, lang);
        EXPECT_EQ(result.taken, 128);

        MemoryImage a, b;
        EncodeChannels(cfg.channels, a);
        EncodeChannels(target.model(), b);
        constexpr std::size_t kTx = 4, kFlags = 12;
        int withoutTransmit = 0;
        for (int n = 1; n <= 128; ++n) {
            const std::size_t at = ChannelRecordOffset(n);
            const bool exists = a.at(at) != 0xFF;
            const bool noTx = exists && a.at(at + kTx) == 0xFF;
            withoutTransmit += noTx;
            for (std::size_t i = 0; i < kChannelRecordSize; ++i) {
                const bool tx = i >= kTx && i < kTx + 4;
                const int expected = noTx && tx ? a.at(at + i - kTx) : a.at(at + i);
                const int mask = exists && i == kFlags ? ~0x04 : 0xFF;  // busy lock bit
                EXPECT_EQ(expected & mask, b.at(at + i) & mask) << "channel " << n << " byte " << i;
            }
        }
        EXPECT_EQ(withoutTransmit, 1);  // channel 2 of the sample
    }
}

TEST(ChannelClipboard, SpreadsheetTextsAndAwkwardNames) {
    // Tabs, CRLF, no Power, RxDtcsCode, CrossMode or D-STAR columns; the spreadsheet dropped
    // the leading zeros and the trailing decimals, quoted a name, and kept an empty row.
    const std::string text =
        "Location\tName\tFrequency\tDuplex\tOffset\tTone\trToneFreq\tcToneFreq\tDtcsCode\t"
        "DtcsPolarity\tMode\tTStep\tSkip\tComment\r\n"
        "7\tRpt\t145.6\t-\t0.6\tTone\t100\t88.5\t23\tNN\tNFM\t5\t\tfrom the club\r\n"
        "8\t\t\t\t\t\t\t\t\t\t\t\t\t\r\n"
        "9\t\"#1 \"\"x\"\"\"\t438.5\t\t0\tDTCS\t88.5\t88.5\t754\tRN\tFM\t5\tS\t\r\n";
    ChannelTable t;
    Put(t, 21);
    Put(t, 22);
    const CsvImport result = PasteChannels(text, 20, t, kBand0, kEn);
    EXPECT_EQ(CsvReportText(result, kEn),
              "line 4: Name: \"#1 \"x\"\" taken as \"#1X\"\n"
              "Power missing: channels 20, 22 took 5.0W\n"
              "3 rows taken (1 with changes), 0 skipped\n");
    const std::vector<std::vector<std::string>> cells = {
        {"145.60000", "145.00000", "Off", "100.0", "High", "Off", "On", "Narror", "Off", "RPT"},
        std::vector<std::string>(10),
        {"438.50000", "438.50000", "D754N", "D754I", "High", "Off", "Off", "Wide", "Off", "#1X"},
    };
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Cells(t, 20 + i), cells[i]) << "channel " << 20 + i;

    // Without Location, and with a name that looks like a comment.
    ChannelTable u;
    PasteChannels("Name\tFrequency\r\nA\t145\r\n#B\t146\r\n\r\n", 1, u, kBand0, kEn);
    EXPECT_EQ(Layout(u), "1:A 2:#B");

    // Names with quotes or the zero bytes of a blank name area copy and paste.
    ChannelRowState zeroed = t.row(20), quoted = t.row(22);
    zeroed.channel.name = std::string("\0\0AB\x01\t\n", 7);
    quoted.channel.name = "\"Q\"";
    t.setRow(20, zeroed);
    t.setRow(22, quoted);
    PasteChannels(CopyChannels(t.model(), {20, 22}), 1, u, kBand0, kEn);
    EXPECT_EQ(Layout(u), "1:AB 3:Q");
}

TEST(ChannelClipboard, PasteReportsLikeTheImport) {
    ChannelTable filled;
    for (int n = 1; n <= 128; ++n) Put(filled, n);
    filled.CommitChoice(2, kBusyLockColumn, 0, kEn);
    const std::tuple<std::string, int, Language, const char*, int> cases[] = {
        {"Location,Frequency,Name\n90,145.1234,abcdefghij\n90,146\n", 1, kEn,
         "line 2: Frequency: \"145.1234\" taken as \"145.12000\"\n"
         "line 2: Name: \"abcdefghij\" taken as \"ABCDEFGH\"\n"
         "Mode missing: channels 1-2 took FM\n"
         "Power missing: channels 1-2 took 5.0W\n"
         "2 rows taken (1 with changes), 0 skipped\n",
         2},
        {"Frequency\n146\n", 1, kZh,  // the band's upper bound is exclusive in Chinese
         "第 2 行: Frequency: “146”超出频段范围，已跳过此行\n导入 0 行（其中 0 行有改动），跳过 1 "
         "行\n",
         0},
        {"Frequency\n145\n145\n145\n", 127, kEn,
         "line 4: past channel 128, row dropped\n"
         "Mode missing: channels 127-128 took FM\n"
         "Power missing: channels 127-128 took 5.0W\n"
         "2 rows taken (0 with changes), 1 skipped\n",
         2},
        {"Frequency\n145\n145\n145\n145\n", 128, kEn,
         "line 3: 3 rows from here on past channel 128, dropped\n"
         "Mode missing: channel 128 took FM\n"
         "Power missing: channel 128 took 5.0W\n"
         "1 row taken (0 with changes), 3 skipped\n",
         1},
        {"Frequency\n145\n145\n145\n", 128, kZh,
         "第 3 行: 自此行起 2 行超出频道 128，已舍弃\n缺少 Mode 列：频道 128 取值 FM\n"
         "缺少 Power 列：频道 128 取值 5.0W\n导入 1 行（其中 0 行有改动），跳过 2 行\n",
         1},
        {"Location\tFrequency\r\n\t\r\n\r\n", 1, kEn,
         "line 1: a header and no rows, nothing imported\n0 rows taken (0 with changes), 0 "
         "skipped\n",
         0},
        {"Frequency\n", 1, kZh,
         "第 1 行: 只有标题行，没有数据行，未导入任何数据\n导入 0 行（其中 0 行有改动），跳过 0 "
         "行\n",
         0},
        {"145\tA\n", 1, kEn,
         "line 1: 145: unknown column, ignored\nline 1: A: unknown column, ignored\n"
         "line 1: Frequency: column missing from the header, nothing imported\n",
         0},
    };
    for (const auto& [text, first, lang, report, taken] : cases) {
        ChannelTable t = filled;
        const CsvImport result = PasteChannels(text, first, t, kBand1, lang);
        EXPECT_EQ(CsvReportText(result, lang), report);
        for (int n = 1; n <= 128; ++n) {
            const bool pasted = n >= first && n < first + taken;
            EXPECT_TRUE(pasted || t.row(n) == filled.row(n)) << n;
        }
    }
    // A pasted channel keeps the busy lock of the channel it replaces, as an imported one does.
    PasteChannels("Frequency\n145\n", 2, filled, kBand0, kEn);
    EXPECT_EQ(filled.cell(2, kBusyLockColumn), "Carry");
}

const std::string kHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\n";

struct Entered {
    const char* rx;
    const char* tx;
    const char* rxTone;  // receive ("QT/DQT Dec"), "" for off
    const char* txTone;  // transmit ("QT/DQT Enc")
    int power, scan, wide, prohibit;
    const char* name;
    const char* row;  // the row export writes, after "n,"
};

// Every tone pair kind, duplex kind, power, bandwidth and scan setting.
const Entered kEntered[] = {
    {"145.5", "145.5", "", "", 1, 1, 1, 1, "SIMPLE-8",  // all eight characters the radio holds
     "SIMPLE-8,145.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {"145.125", "145.725", "", "100.0", 0, 0, 0, 1, "RPT",
     "RPT,145.125000,+,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,NFM,5.00,S,1.0W,,,,,"},
    {"439", "431.4", "123.0", "123.0", 2, 1, 1, 1, "",
     ",439.000000,-,7.600000,TSQL,123.0,123.0,023,NN,023,Tone->Tone,FM,5.00,,2.0W,,,,,"},
    {"145", "145", "D023N", "D023N", 1, 1, 1, 1, "A,B",
     "\"A,B\",145.000000,,0.000000,DTCS,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {"145", "145", "D023I", "D023N", 1, 1, 1, 1, "",
     ",145.000000,,0.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {"145", "435", "71.9", "67.0", 1, 1, 1, 1, "",
     ",145.000000,split,435.000000,Cross,67.0,71.9,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {"435", "145", "D754I", "67.0", 1, 1, 1, 1, "",
     ",435.000000,split,145.000000,Cross,67.0,88.5,023,NR,754,Tone->DTCS,FM,5.00,,5.0W,,,,,"},
    {"145", "145", "77.0", "D125N", 1, 1, 1, 1, "",
     ",145.000000,,0.000000,Cross,88.5,77.0,125,NN,023,DTCS->Tone,FM,5.00,,5.0W,,,,,"},
    {"145", "145", "D131N", "D125I", 1, 1, 1, 1, "",
     ",145.000000,,0.000000,Cross,88.5,88.5,125,RN,131,DTCS->DTCS,FM,5.00,,5.0W,,,,,"},
    {"145", "145", "82.5", "", 1, 1, 1, 1, "",
     ",145.000000,,0.000000,Cross,88.5,82.5,023,NN,023,->Tone,FM,5.00,,5.0W,,,,,"},
    {"145", "145", "D025N", "", 1, 1, 1, 1, "",
     ",145.000000,,0.000000,Cross,88.5,88.5,023,NN,025,->DTCS,FM,5.00,,5.0W,,,,,"},
    {"145", "145", "", "D026I", 1, 1, 1, 1, "",
     ",145.000000,,0.000000,Cross,88.5,88.5,026,RN,023,DTCS->,FM,5.00,,5.0W,,,,,"},
    {"438.00625", "438.00625", "", "", 1, 1, 1, 0, "#1",
     "#1,438.006250,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,5.0W,,,,,"},
};

// As a user enters a channel: the frequencies, then a pick where the default does not fit.
void Enter(ChannelTable& t, int n, const Entered& e, Language lang) {
    t.CommitFrequency(n, kRxFreqColumn, e.rx, kBand0, lang);
    t.CommitFrequency(n, kTxFreqColumn, e.tx, kBand0, lang);
    const int picks[] = {ToneIndex(e.rxTone, lang),
                         ToneIndex(e.txTone, lang),
                         e.power,
                         1,
                         e.scan,
                         e.wide,
                         e.prohibit};
    for (int c = kFirstListColumn; c <= kLastListColumn; ++c)
        if (picks[c - kFirstListColumn] != ChannelColumnAt(c).defaultPosition)
            t.CommitChoice(n, c, picks[c - kFirstListColumn], lang);
    t.CommitName(n, e.name);
}

// What reaches the radio and what the grid shows must both survive.
void ExpectSameChannels(const ChannelTable& a, const ChannelTable& b) {
    MemoryImage imageA, imageB;
    EncodeChannels(a.model(), imageA);
    EncodeNames(a.model(), imageA);
    EncodeChannels(b.model(), imageB);
    EncodeNames(b.model(), imageB);
    EXPECT_EQ(imageA, imageB);
    for (int r = 1; r <= static_cast<int>(kChannelCount); ++r)
        EXPECT_EQ(Cells(a, r), Cells(b, r)) << "row " << r;
}

std::vector<std::string> ReportLines(const CsvImport& result) {
    std::vector<std::string> lines;
    for (const CsvIssue& issue : result.issues) lines.push_back(CsvIssueText(issue, kEn));
    return lines;
}

TEST(ChannelCsv, ExportWritesTheFormatAndImportGivesTheSameChannels) {
    for (Language lang : {kZh, kEn}) {
        ChannelTable source;
        std::string expected = kHeader;
        for (int i = 0; i < static_cast<int>(std::size(kEntered)); ++i) {
            const int n = 2 * i + 1;  // gaps: channels between stay empty
            Enter(source, n, kEntered[i], lang);
            expected += std::to_string(n) + "," + kEntered[i].row + "\n";
        }
        const CsvExport list = ExportChannelCsv(source.model());
        EXPECT_EQ(list.text, expected);
        EXPECT_EQ(list.rows, static_cast<int>(std::size(kEntered)));
        EXPECT_TRUE(list.issues.empty());

        ChannelTable target;
        const CsvImport result = ImportChannelCsv(list.text, target, kBand0, lang);
        EXPECT_EQ(ReportLines(result), std::vector<std::string>{});
        EXPECT_EQ(result.taken, list.rows);
        ExpectSameChannels(source, target);
    }
}

TEST(ChannelCsv, RowsReplaceTheirChannelsKeepingBusyLockAndLeaveOthersAlone) {
    ChannelTable t;
    Enter(t, 1, kEntered[1], kEn);
    t.CommitChoice(1, kBusyLockColumn, 0, kEn);  // Carry
    Enter(t, 2, kEntered[2], kEn);
    t.CommitName(3, "ORPHAN");  // a name on an empty channel
    const ChannelRowState untouched = t.row(2);

    const CsvImport result =
        ImportChannelCsv("Location,Frequency\n1,146.5\n3,147\n", t, kBand0, kEn);
    EXPECT_EQ(result.channels, (std::vector<int>{1, 3}));
    EXPECT_EQ(t.cell(1, kBusyLockColumn), "Carry");
    EXPECT_EQ(t.cell(1, 2), "146.50000");  // cleared first: the new channel's transmit follows
    EXPECT_EQ(t.cell(1, kNameColumn), "");
    EXPECT_EQ(t.cell(3, kBusyLockColumn), "Off");
    EXPECT_EQ(t.cell(3, kNameColumn), "");
    EXPECT_EQ(t.row(2), untouched);
}

TEST(ChannelCsv, HandWrittenFilesAreReadByHeaderName) {
    const std::string file =
        "\xEF\xBB\xBF# written by hand\r\n"
        "name,FREQUENCY, location ,Power,Mode,Skip,Tone,rToneFreq,DtcsCode,Extra,extra\r\n"
        "\"NO,1\",146.52,12,High,NFM,S,Tone,100,,x,y\r\n"
        "\r\n"
        "\"say \"\"hi\"\"\",446.00625,13,0.5W,FM,,,,\r\n"
        "RPT,145.6,14,Mid,fm,P,DTCS,,23\r\n"
        ",,,,,,,\r\n";
    ChannelTable t;
    const CsvImport result = ImportChannelCsv(file, t, kBand0, kEn);
    EXPECT_EQ(ReportLines(result), (std::vector<std::string>{
                                       "line 2: Extra: unknown column, ignored",
                                       "line 5: Name: \"say \"hi\"\" taken as \"SAYHI\"",
                                       "line 5: Power: \"0.5W\" taken as \"1.0W\"",
                                       "DtcsPolarity missing: channel 14 took NN",
                                   }));
    EXPECT_EQ(CsvReportText(result, kEn).substr(CsvReportText(result, kEn).rfind("3 rows")),
              "3 rows taken (1 with changes), 0 skipped\n");
    const std::vector<std::vector<std::string>> cells = {
        {"146.52000", "146.52000", "Off", "100.0", "High", "Off", "Off", "Narror", "Off", "NO,1"},
        {"446.00625", "446.00625", "Off", "Off", "Low", "Off", "On", "Wide", "Off", "SAYHI"},
        {"145.60000", "145.60000", "D023N", "D023N", "Middle", "Off", "On", "Wide", "Off", "RPT"},
    };
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Cells(t, 12 + i), cells[i]) << "channel " << 12 + i;
}

// A row that needs a column the header lacks takes the value an unused column holds; the report
// names the column, that value and the channels, once per column, whatever the row order.
TEST(ChannelCsv, ValuesTakenForMissingColumnsAreNamed) {
    const std::string all =
        "Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
        "DtcsPolarity,RxDtcsCode,CrossMode,Mode,Power\n";
    const std::tuple<const char*, std::string, std::vector<std::string>> cases[] = {
        {"TSQL rows without cToneFreq",
         "Location,Frequency,Tone,rToneFreq,Mode,Power\n44,145,TSQL,100,FM,5.0W\n"
         "36,145,TSQL,100,FM,5.0W\n40,145,TSQL,100,FM,5.0W\n41,145,,,FM,5.0W\n",
         {"cToneFreq missing: channels 36, 40, 44 took 88.5"}},
        {"Tone row without rToneFreq, DTCS rows without codes",
         "Location,Frequency,Tone,Mode,Power\n1,145,Tone,FM,5.0W\n2,145,DTCS,FM,5.0W\n"
         "3,145,DTCS,FM,5.0W\n",
         {"rToneFreq missing: channel 1 took 88.5", "DtcsCode missing: channels 2-3 took 023",
          "DtcsPolarity missing: channels 2-3 took NN"}},
        {"Cross row without RxDtcsCode and CrossMode",
         "Location,Frequency,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,Power\n"
         "9,145,Cross,88.5,88.5,023,NN,FM,5.0W\n",
         {"CrossMode missing: channel 9 took Tone->Tone"}},
        {"+/- rows without Offset",
         "Location,Frequency,Duplex,Mode,Power\n5,145,+,FM,5.0W\n6,145,-,FM,5.0W\n"
         "7,145,,FM,5.0W\n",
         {"Offset missing: channels 5-6 took 0.000000"}},
        {"two columns only",
         "Location,Frequency\n3,145\n1,145\n2,145\n",
         {"Mode missing: channels 1-3 took FM", "Power missing: channels 1-3 took 5.0W"}},
        {"a skipped row took nothing",
         "Location,Frequency,Tone,Mode,Power\n1,999,Tone,FM,5.0W\n",
         {"line 2: Frequency: \"999\" beyond the scope of frequency band, row skipped"}},
        {"every column given", all + "1,145,,0,TSQL,88.5,88.5,023,NN,023,Tone->Tone,FM,5.0W\n", {}},
    };
    for (const auto& [name, file, lines] : cases) {
        SCOPED_TRACE(name);
        ChannelTable t;
        const CsvImport result = ImportChannelCsv(file, t, kBand0, kEn);
        EXPECT_EQ(ReportLines(result), lines);
    }
    ChannelTable t;
    const CsvImport result =
        ImportChannelCsv("Location,Frequency,Tone\n36,145,TSQL\n", t, kBand0, kZh);
    EXPECT_EQ(CsvReportText(result, kZh).substr(0, CsvReportText(result, kZh).find('\n')),
              "缺少 cToneFreq 列：频道 36 取值 88.5");
}

TEST(ChannelCsv, EveryReasonToSkipOrChangeARowIsReported) {
    const std::string file =
        "Location,Frequency,Duplex,Offset,Tone,rToneFreq,DtcsCode,DtcsPolarity,CrossMode,Name,"
        "Power,Mode,Skip\n"
        "x,145.5\n"
        "129,145.5\n"
        "1,145.5\n"
        "01,145.6\n"
        "2,\n"
        "3,14a5\n"
        "4,500\n"
        "5,145.5,+,30\n"
        "6,145.5,+,abc\n"
        "7,145.5,dup\n"
        "8,145.5,,,Tone,69.4\n"
        "9,145.5,,,DTCS,,024\n"
        "10,145.5,,,DTCS,,023,NX\n"
        "11,145.5,,,Cross,,,,Tone->Nothing\n"
        "12,145.5,,,Digital\n"
        "13,145.1234,-,0.6,,,,,,my name,4W,AM,Q\n";
    ChannelTable t;
    Enter(t, 5, kEntered[2], kEn);
    const ChannelRowState kept = t.row(5);
    const CsvImport result = ImportChannelCsv(file, t, kBand0, kEn);
    EXPECT_EQ(ReportLines(result),
              (std::vector<std::string>{
                  "line 2: Location: \"x\" is not a number, row skipped",
                  "line 3: Location: \"129\" outside 1 to 128, row skipped",
                  "line 5: Location: \"01\" already given on line 4, row skipped",
                  "line 6: Frequency: empty, row skipped",
                  "line 7: Frequency: \"14a5\" is not a number, row skipped",
                  "line 8: Frequency: \"500\" beyond the scope of frequency band, row skipped",
                  "line 9: Offset: \"175.500000\" beyond the scope of frequency band, row skipped",
                  "line 10: Offset: \"abc\" is not a number, row skipped",
                  "line 11: Duplex: \"dup\" not understood, row skipped",
                  "line 12: rToneFreq: \"69.4\" is not a tone of the radio, row skipped",
                  "line 13: DtcsCode: \"024\" is not a tone of the radio, row skipped",
                  "line 14: DtcsPolarity: \"NX\" not understood, row skipped",
                  "line 15: CrossMode: \"Tone->Nothing\" not understood, row skipped",
                  "line 16: Tone: \"Digital\" not understood, row skipped",
                  "line 17: Frequency: \"145.1234\" taken as \"145.12000\"",
                  "line 17: Offset: \"144.523400\" taken as \"144.52000\"",
                  "line 17: Name: \"my name\" taken as \"MYNAME\"",
                  "line 17: Power: \"4W\" taken as \"5.0W\"",
                  "line 17: Mode: \"AM\" not understood, \"FM\" taken",
                  "line 17: Skip: \"Q\" not understood, \"\" taken",
              }));
    EXPECT_EQ(result.taken, 2);
    EXPECT_EQ(result.changed, 1);
    EXPECT_EQ(result.skipped, 14);
    EXPECT_EQ(t.row(5), kept);  // refused after it was cleared: restored whole
    for (int n = 2; n <= 12; ++n) EXPECT_EQ(t.model().channel(n).exists(), n == 5) << n;
}

TEST(ChannelCsv, MalformedFilesAreRefusedWholeAndChangeNothing) {
    const std::tuple<std::string, const char*> cases[] = {
        {"", "the file holds no header line, nothing imported\n"},
        {"\xEF\xBB\xBF\r\n# only a comment\n", "the file holds no header line, nothing imported\n"},
        {"Name,Frequency\nA,145\n",
         "line 1: Location: column missing from the header, nothing imported\n"},
        {"Location,Frequency\n1,\"145\n2,146\n", "line 2: quote never closed, nothing imported\n"},
        {"Location,Frequency\n3,\"14\"6.5\n",
         "line 2: text after a closing quote, nothing imported\n"},
        {"Location,Frequency\n1,145\n\x7F"
         "ELF\x01\x00",
         "line 3: control character, not a text file, nothing imported\n"},
    };
    for (const auto& [text, report] : cases) {
        ChannelTable t;
        Enter(t, 1, kEntered[0], kEn);
        const ChannelTable before = t;
        const CsvImport result = ImportChannelCsv(text, t, kBand0, kEn);
        EXPECT_TRUE(result.refused);
        EXPECT_EQ(CsvReportText(result, kEn), report);
        EXPECT_TRUE(t == before);
    }
}

TEST(ChannelCsv, RandomTextNeverBreaksTheTable) {
    std::mt19937 rng(7);
    const std::string alphabet = "0123456789.,\"\r\n#+-SsTDNR ToneCrossDTCSsplitoff\xC3\xA4";
    for (int round = 0; round < 300; ++round) {
        std::string text = kHeader;
        const int length = static_cast<int>(rng() % 400);
        for (int i = 0; i < length; ++i) text += alphabet[rng() % alphabet.size()];
        ChannelTable t;
        const CsvImport result = ImportChannelCsv(text, t, kBand0, kZh);
        EXPECT_EQ(result.taken, static_cast<int>(result.channels.size()));
        // A channel exists exactly when its cell says so.
        for (int n = 1; n <= static_cast<int>(kChannelCount); ++n)
            EXPECT_EQ(t.model().channel(n).exists(), !t.cell(n, kRxFreqColumn).empty());
    }
}

TEST(ChannelCsv, ExportReportsWhatTheListCannotCarry) {
    ChannelModel model;
    model.channel(1).freq = {"1A5.12500", "145.12500"};  // non-BCD nibbles from a decode
    Channel& tone = model.channel(2);
    tone.freq = {"145.00000", "145.00000"};
    tone.text(kRxToneColumn) = "67.1";  // unlisted: position 0, encoded as off
    tone.index(kTxProhibitColumn) = 1;
    model.channel(3).freq = {"145.00000", "146.00000"};  // TX Prohibit On (position 0)
    model.channel(4).freq = {"145.00000", ""};           // no transmit frequency
    model.channel(4).index(kTxProhibitColumn) = 1;
    const CsvExport list = ExportChannelCsv(model);
    EXPECT_EQ(CsvReportText(list, kEn),
              "channel 1: Frequency: \"1A5.12500\" is not a frequency, channel not written\n"
              "channel 2: cToneFreq: \"67.1\" is not a listed tone, written as off\n"
              "channel 3: Duplex: TX Prohibit On, written as off without the transmit "
              "frequency \"146.00000\"\n");
    EXPECT_TRUE(list.leftOut());
    EXPECT_EQ(list.rows, 3);
    EXPECT_NE(list.text.find("\n4,,145.000000,off,"), std::string::npos);
}

TEST(CsvText, QuotesLineBreaksAndLineNumbers) {
    const CsvText csv = ParseCsv("a,\"b\r\nc\",\"d\"\"e\"  ,x\"y\r\n# \"skip\nq\rz\n");
    ASSERT_EQ(csv.error, CsvTextError::None);
    ASSERT_EQ(csv.records.size(), 3u);
    EXPECT_EQ(csv.records[0].fields, (std::vector<std::string>{"a", "b\r\nc", "d\"e", "x\"y"}));
    EXPECT_EQ(csv.records[1].line, 4);
    EXPECT_EQ(csv.records[2].line, 5);
    EXPECT_EQ(CsvLine({"a", "b,c", "d\"e", ""}), "a,\"b,c\",\"d\"\"e\",\n");
    EXPECT_EQ(CsvLine({"a\tb", "c,d", "e"}, '\t'), "\"a\tb\"\tc,d\te\n");
}

TEST(CsvText, TextAfterAClosingQuoteRefusesTheText) {
    const std::tuple<std::string, CsvTextError, int> cases[] = {
        {"a\n\"b\nc\"d,e\n", CsvTextError::TextAfterQuote, 3},  // the closing quote's line
        {"a,\"b\"\t,c\n", CsvTextError::TextAfterQuote, 1},
        {"\"b\" \r\n\"c\"", CsvTextError::None, 0},
    };
    for (const auto& [text, error, line] : cases) {
        const CsvText csv = ParseCsv(text);
        EXPECT_EQ(csv.error, error) << text;
        EXPECT_EQ(csv.errorLine, line) << text;
    }
}

TEST(ChannelCsv, ReportLinesShortenLongValues) {
    const std::string huge(2 * 1024 * 1024, 'a');
    std::string zh40;
    for (int i = 0; i < 40; ++i) zh40 += "频";
    const std::string chinese = zh40 + "频频频频频频频频频频";  // 50 characters
    ChannelTable t;
    const CsvImport result = ImportChannelCsv(
        "Location,Frequency,Name," + huge + "\n1,145," + huge + "\n2,145," + chinese + "\n", t,
        kBand0, kEn);
    const std::string a40(40, 'a');
    EXPECT_EQ(ReportLines(result), (std::vector<std::string>{
                                       "line 1: " + a40 + "…: unknown column, ignored",
                                       "line 2: Name: \"" + a40 + "…\" taken as \"AAAAAAAA\"",
                                       "line 3: Name: \"" + zh40 + "…\" taken as \"\"",
                                       "Mode missing: channels 1-2 took FM",
                                       "Power missing: channels 1-2 took 5.0W",
                                   }));
    EXPECT_EQ(CsvIssueText(result.issues[1], kZh), "第 2 行: Name: “" + a40 + "…”改为“AAAAAAAA”");
    const std::string exact(40, 'b');  // 40 characters are shown whole
    EXPECT_EQ(CsvIssueText({1, 0, "Name", CsvIssueKind::Adjusted, exact, "B"}, kEn),
              "line 1: Name: \"" + exact + "\" taken as \"B\"");
}

TEST(ChannelCsv, AHeaderWithoutRowsSaysSo) {
    ChannelTable t;
    const CsvImport result =
        ImportChannelCsv("Location,Frequency\r\n,\n# nothing\n", t, kBand0, kZh);
    EXPECT_FALSE(result.refused);
    EXPECT_EQ(CsvReportText(result, kEn),
              "line 1: a header and no rows, nothing imported\n"
              "0 rows taken (0 with changes), 0 skipped\n");
    EXPECT_TRUE(t == ChannelTable{});
}

TEST(ChannelCsv, OversizedOrEndlessFilesAreRefused) {
    std::string text;
    const DataFileResult result = LoadChannelCsv("/dev/zero", text);
    EXPECT_EQ(result.error, DataFileError::WrongType);
    EXPECT_EQ(result.reason, FileReason::TooLarge);
}

}  // namespace
}  // namespace varel
