// The channel grid's whole-channel commands: where every row ends up (and that it arrives
// whole), what is refused at the edges, and copy and paste through the clipboard text.
#include "image/channel_commands.h"

#include <gtest/gtest.h>

#include <functional>
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
    for (int r = 1; r <= 128; ++r) {
        if (!t.model().channel(r).exists() && t.cell(r, kNameColumn).empty()) continue;
        if (!out.empty()) out += ' ';
        out += std::to_string(r) + ":" + t.cell(r, kNameColumn);
    }
    return out;
}

// Every named row is the row that carried that name before, whole.
void ExpectRowsArrivedWhole(const ChannelTable& before, const ChannelTable& after) {
    std::map<std::string, ChannelRowState> byName;
    for (int r = 1; r <= 128; ++r)
        if (!before.cell(r, kNameColumn).empty())
            byName[before.cell(r, kNameColumn)] = before.row(r);
    for (int r = 1; r <= 128; ++r) {
        const std::string& name = after.cell(r, kNameColumn);
        if (!name.empty()) {
            EXPECT_EQ(after.row(r), byName.at(name)) << "row " << r;
        }
    }
}

TEST(ChannelCommands, RowsMoveWholeAndEdgesAreRefused) {
    const std::vector<int> usual = {1, 2, 3, 4, 5, 127};
    const struct {
        const char* what;
        std::vector<int> filled;
        const char* nameOn128;  // a name alone on the empty row 128, or null
        std::function<bool(ChannelTable&)> command;
        bool done;
        const char* layout;
    } cases[] = {
        {"insert in the middle", usual, nullptr,
         [](ChannelTable& t) { return InsertChannel(t, 3); }, true,
         "1:N1 2:N2 4:N3 5:N4 6:N5 128:N127"},
        {"insert at the top", usual, nullptr, [](ChannelTable& t) { return InsertChannel(t, 1); },
         true, "2:N1 3:N2 4:N3 5:N4 6:N5 128:N127"},
        {"insert at an empty last row", usual, nullptr,
         [](ChannelTable& t) { return InsertChannel(t, 128); }, true,
         "1:N1 2:N2 3:N3 4:N4 5:N5 127:N127"},
        {"insert with channel 128 in use",
         {1, 128},
         nullptr,
         [](ChannelTable& t) { return InsertChannel(t, 1); },
         false,
         "1:N1 128:N128"},
        {"insert with a name alone on row 128",
         {1},
         "KEEP",
         [](ChannelTable& t) { return InsertChannel(t, 1); },
         false,
         "1:N1 128:KEEP"},
        {"delete in the middle", usual, nullptr,
         [](ChannelTable& t) {
             DeleteChannels(t, {2, 3});
             return true;
         },
         true, "1:N1 2:N4 3:N5 125:N127"},
        {"delete at the end", usual, nullptr,
         [](ChannelTable& t) {
             DeleteChannels(t, {127, 128});
             return true;
         },
         true, "1:N1 2:N2 3:N3 4:N4 5:N5"},
        {"delete everything", usual, nullptr,
         [](ChannelTable& t) {
             DeleteChannels(t, {1, 128});
             return true;
         },
         true, ""},
        {"clear", usual, nullptr,
         [](ChannelTable& t) {
             ClearChannels(t, {2, 4});
             return true;
         },
         true, "1:N1 5:N5 127:N127"},
        {"move up", usual, nullptr,
         [](ChannelTable& t) {
             return MoveChannels(t, {2, 3}, -1);
         },
         true, "1:N2 2:N3 3:N1 4:N4 5:N5 127:N127"},
        {"move down", usual, nullptr,
         [](ChannelTable& t) {
             return MoveChannels(t, {2, 3}, 1);
         },
         true, "1:N1 2:N4 3:N2 4:N3 5:N5 127:N127"},
        {"move down onto the last row", usual, nullptr,
         [](ChannelTable& t) {
             return MoveChannels(t, {127, 127}, 1);
         },
         true, "1:N1 2:N2 3:N3 4:N4 5:N5 128:N127"},
        {"move up at the top", usual, nullptr,
         [](ChannelTable& t) {
             return MoveChannels(t, {1, 2}, -1);
         },
         false, "1:N1 2:N2 3:N3 4:N4 5:N5 127:N127"},
        {"move down at the bottom",
         {1, 128},
         nullptr,
         [](ChannelTable& t) {
             return MoveChannels(t, {127, 128}, 1);
         },
         false,
         "1:N1 128:N128"},
        {"move by two", usual, nullptr,
         [](ChannelTable& t) {
             return MoveChannels(t, {3, 3}, 2);
         },
         false, "1:N1 2:N2 3:N3 4:N4 5:N5 127:N127"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ChannelTable t;
        for (int n : c.filled) Put(t, n);
        if (c.nameOn128) t.CommitName(128, c.nameOn128);
        const ChannelTable before = t;
        EXPECT_EQ(c.command(t), c.done);
        EXPECT_EQ(Layout(t), c.layout);
        ExpectRowsArrivedWhole(before, t);
        if (!c.done) {
            EXPECT_TRUE(t == before);
        }
    }
}

TEST(ChannelCommands, RangesOutsideTheTableAreRefused) {
    ChannelTable t;
    EXPECT_THROW(ClearChannels(t, {0, 3}), std::out_of_range);
    EXPECT_THROW(DeleteChannels(t, {5, 4}), std::out_of_range);
    EXPECT_THROW(MoveChannels(t, {128, 129}, -1), std::out_of_range);
    EXPECT_THROW(InsertChannel(t, 129), std::out_of_range);
    EXPECT_THROW(CopyChannels(t.model(), {0, 1}), std::out_of_range);
    EXPECT_THROW(PasteChannels("Frequency\n145\n", 0, t, kBand0, kEn), std::out_of_range);
}

TEST(ChannelCommands, SortPutsEqualFrequenciesInTheirOrderAndEmptyRowsLast) {
    ChannelTable t;
    Put(t, 1, "438");
    Put(t, 2, "145.5");
    t.CommitName(3, "ORPHAN");  // an empty channel with a name
    Put(t, 4, "145.5");
    Put(t, 5, "145.125");
    Put(t, 6, "145");
    ChannelRowState odd = t.row(6);  // a frequency text from a decode that is not a frequency
    odd.channel.freq[0] = "1A5.12500";
    t.setRow(6, odd);
    Put(t, 9, "144");
    const ChannelTable before = t;

    SortByReceiveFrequency(t);
    EXPECT_EQ(Layout(t), "1:N9 2:N5 3:N2 4:N4 5:N1 6:N6 7:ORPHAN");
    ExpectRowsArrivedWhole(before, t);

    const ChannelTable sorted = t;
    SortByReceiveFrequency(t);
    EXPECT_TRUE(t == sorted);
}

TEST(ChannelCommands, BulkPickChangesExistingChannelsOnly) {
    const struct {
        const char* what;
        ChannelRange range;
        int column;
        int position;
        Language lang;
        int changed;
        const char* cellOfRow1;  // column's cell of channel 1 afterwards
    } cases[] = {
        {"power Low", {1, 5}, kPowerColumn, 0, kEn, 2, "Low"},  // channel 3 is Low already
        {"power in Chinese", {1, 5}, kPowerColumn, 0, kZh, 2, "低"},
        {"part of the range", {2, 5}, kPowerColumn, 0, kEn, 1, "High"},
        {"a tone", {1, 5}, kRxToneColumn, ToneIndex("D023N", kEn), kEn, 3, "D023N"},
        {"narrow", {1, 128}, kBandColumn, 0, kEn, 3, "Narror"},
        {"a position the list lacks", {1, 5}, kPowerColumn, 3, kEn, 0, "High"},
        {"the name column", {1, 5}, kNameColumn, 0, kEn, 0, "High"},
        {"a frequency column", {1, 5}, kRxFreqColumn, 0, kEn, 0, "High"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ChannelTable t;
        Put(t, 1, {}, c.lang);
        Put(t, 3, {}, c.lang);
        t.CommitChoice(3, kPowerColumn, 0, c.lang);
        Put(t, 5, {}, c.lang);
        t.CommitName(4, "NOCHAN");
        const ChannelTable before = t;
        EXPECT_EQ(BulkPick(t, c.range, c.column, c.position, c.lang), c.changed);
        const int shown =
            c.column >= kFirstListColumn && c.column <= kLastListColumn ? c.column : kPowerColumn;
        EXPECT_EQ(t.cell(1, shown), c.cellOfRow1);
        EXPECT_EQ(t.row(4), before.row(4));  // an empty channel is not made
        if (c.changed == 0) {
            EXPECT_TRUE(t == before);
        }
    }
}

// A channel of every kind the list carries, entered as a user would in a language.
void EnterVariety(ChannelTable& t, Language lang) {
    Put(t, 1, "145.125", lang);
    t.CommitFrequency(1, kTxFreqColumn, "145.725", kBand0, lang);
    t.CommitChoice(1, kTxToneColumn, ToneIndex("88.5", lang), lang);
    t.CommitChoice(1, kPowerColumn, 0, lang);
    Put(t, 3, "438.00625", lang);
    t.CommitChoice(3, kRxToneColumn, ToneIndex("D754I", lang), lang);
    t.CommitChoice(3, kTxToneColumn, ToneIndex("D754I", lang), lang);
    t.CommitChoice(3, kAddScanColumn, 0, lang);
    t.CommitChoice(3, kTxProhibitColumn, 0, lang);
    t.CommitName(3, "LONGNAME");  // all eight characters the radio holds
}

TEST(ChannelClipboard, CopyWritesTheListColumnsWithTabsWhateverTheLanguage) {
    ChannelTable en, zh;
    EnterVariety(en, kEn);
    EnterVariety(zh, kZh);
    const std::string text = CopyChannels(en.model(), {1, 3});
    EXPECT_EQ(text,
              "Location\tName\tFrequency\tDuplex\tOffset\tTone\trToneFreq\tcToneFreq\tDtcsCode\t"
              "DtcsPolarity\tRxDtcsCode\tCrossMode\tMode\tTStep\tSkip\tPower\tComment\tURCALL\t"
              "RPT1CALL\tRPT2CALL\tDVCODE\n"
              "1\tN1\t145.125000\t+\t0.600000\tTone\t88.5\t88.5\t023\tNN\t023\tTone->Tone\tFM\t"
              "5.00\t\t1.0W\t\t\t\t\t\n"
              "2\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\n"
              "3\tLONGNAME\t438.006250\toff\t0.000000\tDTCS\t88.5\t88.5\t754\tRR\t754\tTone->Tone\t"
              "FM\t6.25\tS\t5.0W\t\t\t\t\t\n");
    EXPECT_EQ(CopyChannels(zh.model(), {1, 3}), text);
    zh.RefreshGrid(kEn);
    EXPECT_EQ(CopyChannels(zh.model(), {1, 3}), text);
}

TEST(ChannelClipboard, PasteGivesTheCopiedChannelsAndEmptiesWhereTheCopyWasEmpty) {
    for (Language lang : {kZh, kEn}) {
        ChannelTable t;
        EnterVariety(t, lang);
        Put(t, 11, "146", lang);  // under the pasted empty channel 2
        const std::string text = CopyChannels(t.model(), {1, 3});
        const CsvImport result = PasteChannels(text, 10, t, kBand0, lang);
        EXPECT_TRUE(result.issues.empty()) << CsvReportText(result, kEn);
        EXPECT_EQ(result.channels, (std::vector<int>{10, 11, 12}));
        EXPECT_EQ(t.row(10), t.row(1));
        EXPECT_EQ(t.row(11), ChannelRowState{});
        EXPECT_EQ(t.row(12), t.row(3));
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
        EXPECT_EQ(result.skipped, 0);

        MemoryImage a, b;
        EncodeChannels(cfg.channels, a);
        EncodeChannels(target.model(), b);
        constexpr std::size_t kTx = 4, kFlags = 12;
        constexpr std::uint8_t kBusyLock = 0x04;
        int withoutTransmit = 0;
        for (int n = 1; n <= 128; ++n) {
            const std::size_t at = ChannelRecordOffset(n);
            const bool exists = a.at(at) != 0xFF;
            const bool noTx = exists && a.at(at + kTx) == 0xFF;
            withoutTransmit += noTx;
            for (std::size_t i = 0; i < kChannelRecordSize; ++i) {
                const bool tx = i >= kTx && i < kTx + 4;
                const std::uint8_t expected = noTx && tx ? a.at(at + i - kTx) : a.at(at + i);
                const int mask = exists && i == kFlags ? ~kBusyLock : 0xFF;
                EXPECT_EQ(expected & mask, b.at(at + i) & mask) << "channel " << n << " byte " << i;
            }
        }
        EXPECT_EQ(withoutTransmit, 1);  // channel 2 of the sample
    }
}

TEST(ChannelClipboard, NamesWithControlCharactersDoNotSpoilTheText) {
    ChannelTable t;
    Put(t, 1);
    Put(t, 2);
    ChannelRowState zeroed = t.row(1);  // from an image whose name area holds zero bytes
    zeroed.channel.name = std::string("\0\0AB\x01\t\n", 7);
    t.setRow(1, zeroed);
    ChannelRowState quoted = t.row(2);
    quoted.channel.name = "\"Q\"";
    t.setRow(2, quoted);
    const std::string text = CopyChannels(t.model(), {1, 2});
    EXPECT_NE(text.find("\n1\tAB\t"), std::string::npos);
    EXPECT_NE(text.find("\n2\t\"\"\"Q\"\"\"\t"), std::string::npos);
    ChannelTable target;
    const CsvImport result = PasteChannels(text, 1, target, kBand0, kEn);
    EXPECT_EQ(result.taken, 2) << CsvReportText(result, kEn);
    EXPECT_EQ(target.cell(1, kNameColumn), "AB");
    EXPECT_EQ(target.cell(2, kNameColumn), "Q");
}

TEST(ChannelClipboard, SpreadsheetTextWithAnOlderColumnSet) {
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
    std::vector<std::string> report;
    for (const CsvIssue& issue : result.issues) report.push_back(CsvIssueText(issue, kEn));
    EXPECT_EQ(report, std::vector<std::string>{"line 4: Name: \"#1 \"x\"\" taken as \"#1X\""});
    EXPECT_EQ(result.channels, (std::vector<int>{20, 21, 22}));
    const std::vector<std::vector<std::string>> cells = {
        {"145.60000", "145.00000", "Off", "100.0", "High", "Off", "On", "Narror", "Off", "RPT"},
        {"", "", "", "", "", "", "", "", "", ""},
        {"438.50000", "438.50000", "D754N", "D754I", "High", "Off", "Off", "Wide", "Off", "#1X"},
    };
    for (int i = 0; i < 3; ++i)
        for (int c = 1; c <= kNameColumn; ++c)
            EXPECT_EQ(t.cell(20 + i, c), cells[i][c - 1]) << "channel " << 20 + i << " col " << c;

    // Without Location, and with a name that looks like a comment.
    ChannelTable u;
    const CsvImport plain =
        PasteChannels("Name\tFrequency\r\nA\t145\r\n#B\t146\r\n\r\n", 1, u, kBand0, kEn);
    EXPECT_TRUE(plain.issues.empty()) << CsvReportText(plain, kEn);
    EXPECT_EQ(Layout(u), "1:A 2:#B");
}

TEST(ChannelClipboard, PasteReportsLikeTheImport) {
    ChannelTable filled;
    for (int n = 1; n <= 128; ++n) Put(filled, n);
    filled.CommitChoice(2, kBusyLockColumn, 0, kEn);
    const struct {
        const char* what;
        std::string text;
        int first;
        Language lang;
        const char* report;
        int taken;
    } cases[] = {
        {"a channel list file's text, Location ignored",
         "Location,Frequency,Name\n90,145.1234,abcdefghij\n90,146\n", 1, kEn,
         "line 2: Frequency: \"145.1234\" taken as \"145.12000\"\n"
         "line 2: Name: \"abcdefghij\" taken as \"ABCDEFGH\"\n"
         "2 rows taken (1 with changes), 0 skipped\n",
         2},
        {"the band's upper bound in English", "Frequency\n146\n", 1, kEn,
         "1 row taken (0 with changes), 0 skipped\n", 1},
        {"the band's upper bound in Chinese", "Frequency\n146\n", 1, kZh,
         "第 2 行: Frequency: “146”超出频段范围，已跳过此行\n导入 0 行（其中 0 行有改动），跳过 1 "
         "行\n",
         0},
        {"one row past channel 128", "Frequency\n145\n145\n145\n", 127, kEn,
         "line 4: past channel 128, row dropped\n2 rows taken (0 with changes), 1 skipped\n", 2},
        {"rows past channel 128", "Frequency\n145\n145\n145\n145\n", 128, kEn,
         "line 3: 3 rows from here on past channel 128, dropped\n"
         "1 row taken (0 with changes), 3 skipped\n",
         1},
        {"rows past channel 128 in Chinese", "Frequency\n145\n145\n145\n", 128, kZh,
         "第 3 行: 自此行起 2 行超出频道 128，已舍弃\n导入 1 行（其中 0 行有改动），跳过 2 行\n",
         1},
        {"a header alone", "Location\tFrequency\r\n\t\r\n\r\n", 1, kEn,
         "line 1: a header and no rows, nothing imported\n0 rows taken (0 with changes), 0 "
         "skipped\n",
         0},
        {"a header alone in Chinese", "Frequency\n", 1, kZh,
         "第 1 行: 只有标题行，没有数据行，未导入任何数据\n导入 0 行（其中 0 行有改动），跳过 0 "
         "行\n",
         0},
        {"rows without a header", "145\tA\n146\tB\n", 1, kEn,
         "line 1: 145: unknown column, ignored\nline 1: A: unknown column, ignored\n"
         "line 1: Frequency: column missing from the header, nothing imported\n",
         0},
        {"text after a closing quote", "Location,Frequency\n3,\"14\"6.5\n", 1, kEn,
         "line 2: text after a closing quote, nothing imported\n", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ChannelTable t = filled;
        const CsvImport result = PasteChannels(c.text, c.first, t, kBand1, c.lang);
        EXPECT_EQ(CsvReportText(result, c.lang), c.report);
        EXPECT_EQ(result.taken, c.taken);
        for (int n = 1; n < c.first; ++n) EXPECT_EQ(t.row(n), filled.row(n));
        for (int n = c.first + c.taken; n <= 128; ++n) EXPECT_EQ(t.row(n), filled.row(n));
    }
    // A pasted channel keeps the busy lock of the channel it replaces, as an imported one does.
    ChannelTable t = filled;
    PasteChannels("Frequency\n145\n", 2, t, kBand0, kEn);
    EXPECT_EQ(t.cell(2, kBusyLockColumn), "Carry");
}

}  // namespace
}  // namespace varel
