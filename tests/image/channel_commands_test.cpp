// The channel grid's whole-channel commands: where every row ends up (and that it arrives
// whole), what is refused at the edges, and copy and paste through the clipboard text.
#include "image/channel_commands.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "image/channel_codec.h"
#include "image/channel_columns.h"
#include "image/data_file.h"
#include "image/encodings.h"
#include "image/image_codec.h"

namespace varel {
namespace {

const FrequencyBand kBand0 = *BandBounds(0);
const FrequencyBand kBand1 = *BandBounds(1);  // 144-146, 430-440
constexpr Language kEn = Language::English;
constexpr Language kZh = Language::Chinese;

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
    const struct {
        const char* on128;  // row 128 before: "" empty, "N128" a channel, "KEEP" a name alone
        char command;
        ChannelRange range;
        bool done;
        const char* layout;  // rows 1 to 5 and 127 hold N1 to N5 and N127 before
    } cases[] = {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.command) + " " + std::to_string(c.range.first));
        ChannelTable t;
        for (int n : {1, 2, 3, 4, 5, 127}) Put(t, n);
        if (std::string(c.on128) == "N128") Put(t, 128);
        if (std::string(c.on128) == "KEEP") t.CommitName(128, "KEEP");
        const ChannelTable before = t;
        EXPECT_EQ(Command(t, c.command, c.range), c.done);
        EXPECT_EQ(Layout(t), c.layout);
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
    const struct {
        ChannelRange range;
        int column, position;
        Language lang;
        int changed;
        const char* cellOfRow1;  // the power cell, or the column's when it has a list
    } cases[] = {
        {{1, 5}, kPowerColumn, 0, kEn, 2, "Low"},  // channel 3 is Low already
        {{1, 5}, kPowerColumn, 0, kZh, 2, "低"},
        {{2, 5}, kPowerColumn, 0, kEn, 1, "High"},
        {{1, 128}, kRxToneColumn, ToneIndex("D023N", kEn), kEn, 3, "D023N"},
        {{1, 5}, kPowerColumn, 3, kEn, 0, "High"},  // a position the list lacks
        {{1, 5}, kNameColumn, 0, kEn, 0, "High"},
    };
    for (const auto& c : cases) {
        ChannelTable t;
        for (int n : {1, 3, 5}) Put(t, n, {}, c.lang);
        t.CommitChoice(3, kPowerColumn, 0, c.lang);
        t.CommitName(4, "NOCHAN");
        const ChannelTable before = t;
        EXPECT_EQ(BulkPick(t, c.range, c.column, c.position, c.lang), c.changed);
        EXPECT_EQ(t.cell(1, c.column == kNameColumn ? kPowerColumn : c.column), c.cellOfRow1);
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
              "line 4: Name: \"#1 \"x\"\" taken as \"#1X\"\n3 rows taken (1 with changes), 0 "
              "skipped\n");
    const char* cells[][10] = {
        {"145.60000", "145.00000", "Off", "100.0", "High", "Off", "On", "Narror", "Off", "RPT"},
        {"", "", "", "", "", "", "", "", "", ""},
        {"438.50000", "438.50000", "D754N", "D754I", "High", "Off", "Off", "Wide", "Off", "#1X"},
    };
    for (int i = 0; i < 3; ++i)
        for (int c = 1; c <= kNameColumn; ++c)
            EXPECT_EQ(t.cell(20 + i, c), cells[i][c - 1]) << "channel " << 20 + i << " col " << c;

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
    const struct {
        std::string text;
        int first;
        Language lang;
        const char* report;
        int taken;
    } cases[] = {
        {"Location,Frequency,Name\n90,145.1234,abcdefghij\n90,146\n", 1, kEn,
         "line 2: Frequency: \"145.1234\" taken as \"145.12000\"\n"
         "line 2: Name: \"abcdefghij\" taken as \"ABCDEFGH\"\n"
         "2 rows taken (1 with changes), 0 skipped\n",
         2},
        {"Frequency\n146\n", 1, kZh,  // the band's upper bound is exclusive in Chinese
         "第 2 行: Frequency: “146”超出频段范围，已跳过此行\n导入 0 行（其中 0 行有改动），跳过 1 "
         "行\n",
         0},
        {"Frequency\n145\n145\n145\n", 127, kEn,
         "line 4: past channel 128, row dropped\n2 rows taken (0 with changes), 1 skipped\n", 2},
        {"Frequency\n145\n145\n145\n145\n", 128, kEn,
         "line 3: 3 rows from here on past channel 128, dropped\n"
         "1 row taken (0 with changes), 3 skipped\n",
         1},
        {"Frequency\n145\n145\n145\n", 128, kZh,
         "第 3 行: 自此行起 2 行超出频道 128，已舍弃\n导入 1 行（其中 0 行有改动），跳过 2 行\n",
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
        {"Location,Frequency\n3,\"14\"6.5\n", 1, kEn,
         "line 2: text after a closing quote, nothing imported\n", 0},
    };
    for (const auto& c : cases) {
        ChannelTable t = filled;
        const CsvImport result = PasteChannels(c.text, c.first, t, kBand1, c.lang);
        EXPECT_EQ(CsvReportText(result, c.lang), c.report);
        for (int n = 1; n <= 128; ++n) {
            const bool pasted = n >= c.first && n < c.first + c.taken;
            EXPECT_TRUE(pasted || t.row(n) == filled.row(n)) << n;
        }
    }
    // A pasted channel keeps the busy lock of the channel it replaces, as an imported one does.
    PasteChannels("Frequency\n145\n", 2, filled, kBand0, kEn);
    EXPECT_EQ(filled.cell(2, kBusyLockColumn), "Carry");
}

}  // namespace
}  // namespace varel
