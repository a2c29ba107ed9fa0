// Channels on the clipboard beside the exchange text: the program's own format carries every
// field of a row and refuses anything it did not write; and values pasted onto the grid as a
// spreadsheet pastes them, each through its cell's entry rules, a row whole or not at all.
#include "lists/channel_clip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "image/channel_columns.h"
#include "image/encodings.h"
#include "lists/cell_paste.h"
#include "lists/channel_commands.h"

namespace varel {
namespace {

const FrequencyBand kBand0 = *BandBounds(0);  // 136-174 and 400-470 MHz
constexpr Language kEn = Language::English;
constexpr Language kZh = Language::Chinese;

// A channel with every field away from what a new channel takes: an odd receive frequency the
// exchange text cannot carry, a transmit frequency outside the band, an unlisted receive tone,
// a DCS transmit tone, Middle power, busy lock Carry, scan Off, narrow, TX prohibit On and a
// name of eight characters.
ChannelRowState EveryFieldSet(Language lang) {
    ChannelTable t;
    t.CommitFrequency(1, kRxFreqColumn, "145.5", kBand0, lang);
    ChannelRowState state = t.row(1);
    Channel& ch = state.channel;
    ch.freq[0] = DecodeFrequency({0x00, 0x50, 0x45, 0x1A});  // a digit that is not decimal
    ch.freq[1] = "999.12500";
    ch.text(kRxToneColumn) = "254.1";  // a tone the list lacks stays at position 0
    ch.index(kRxToneColumn) = 0;
    for (int c = kTxToneColumn; c <= kLastListColumn; ++c) {
        const int position = c == kTxToneColumn ? 60 : c == kPowerColumn ? 2 : 0;
        ch.index(c) = static_cast<std::int16_t>(position);
        ch.text(c) = ChannelColumnList(c, lang).at(static_cast<std::size_t>(position));
    }
    ch.name = "ABCDEFGH";
    state.nameCell = ch.name;
    return state;
}

// The same FNV-1a the writer seals its payload with, to forge payloads that pass the seal.
std::string Sealed(const std::string& body) {
    std::uint32_t hash = 2166136261U;
    for (const char c : body) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619U;
    }
    char seal[16];
    std::snprintf(seal, sizeof seal, "%08x", hash);
    return body + "end " + seal + "\n";
}

std::string Body(const std::string& payload) {
    return payload.substr(0, payload.rfind("end "));
}

TEST(ChannelClip, EveryFieldArrivesAsItLeftWhereTheExchangeTextLosesSome) {
    for (Language lang : {kZh, kEn}) {
        ChannelTable source;
        source.setRow(5, EveryFieldSet(lang));
        source.CommitName(6, "KEPT");  // an empty channel's name comes along
        const auto clip = DecodeChannelClip(EncodeChannelClip(source, {5, 7}, lang));
        ASSERT_TRUE(clip);
        ASSERT_EQ(clip->rows.size(), 3U);

        ChannelTable target;
        for (int n = 40; n <= 42; ++n) target.CommitFrequency(n, 1, "440", kBand0, lang);
        const CsvImport result = PasteChannelClip(*clip, 40, target, lang);
        EXPECT_EQ(result.taken, 3);
        EXPECT_EQ(result.channels, (std::vector<int>{40, 41, 42}));
        EXPECT_TRUE(result.issues.empty());
        for (int i = 0; i < 3; ++i) EXPECT_EQ(target.row(40 + i), source.row(5 + i)) << i;

        // The list reader's way, by contrast, cannot take the channel back.
        ChannelTable viaText;
        PasteChannels(CopyChannels(source.model(), {5, 5}), 1, viaText, kBand0, lang);
        EXPECT_NE(viaText.row(1), source.row(5));
    }
}

TEST(ChannelClip, TextsCopiedInTheOtherLanguageFollowTheLanguageOfThePaste) {
    ChannelTable source;
    source.setRow(1, EveryFieldSet(kZh));
    const auto clip = DecodeChannelClip(EncodeChannelClip(source, {1, 1}, kZh));
    ASSERT_TRUE(clip);
    ChannelTable target;
    PasteChannelClip(*clip, 1, target, kEn);
    ChannelRowState expected = EveryFieldSet(kEn);
    expected.channel.text(kRxToneColumn) = "Off";  // position 0 takes the Off text, as a refresh
    EXPECT_EQ(target.row(1), expected);
}

TEST(ChannelClip, RowsPastTheLastChannelAreDroppedAndReported) {
    ChannelTable source;
    for (int n = 1; n <= 3; ++n) source.CommitFrequency(n, 1, "145", kBand0, kEn);
    const auto clip = DecodeChannelClip(EncodeChannelClip(source, {1, 3}, kEn));
    ASSERT_TRUE(clip);
    ChannelTable target;
    const CsvImport result = PasteChannelClip(*clip, 127, target, kEn);
    EXPECT_EQ(result.channels, (std::vector<int>{127, 128}));
    EXPECT_EQ(result.skipped, 1);
    EXPECT_EQ(CsvReportText(result, kEn),
              "line 3: past channel 128, row dropped\n2 rows taken (0 with changes), 1 skipped\n");
    EXPECT_THROW(PasteChannelClip(*clip, 129, target, kEn), std::out_of_range);
}

TEST(ChannelClip, DamagedOrForeignPayloadsAreRefused) {
    ChannelTable source;
    source.setRow(2, EveryFieldSet(kEn));
    const std::string good = EncodeChannelClip(source, {1, 2}, kEn);
    ASSERT_TRUE(DecodeChannelClip(good));
    const std::string body = Body(good);
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = body;
        text.replace(text.find(from), from.size(), to);
        return Sealed(text);
    };
    std::string flipped = good;
    flipped[flipped.size() / 2] ^= 0x01;
    const struct {
        const char* what;
        std::string payload;
    } cases[] = {
        {"empty", ""},
        {"cut short", good.substr(0, good.size() / 2)},
        {"no final line end", good.substr(0, good.size() - 1)},
        {"one bit changed", flipped},
        {"seal missing", body},
        {"another program", replaced("wavesmith-channels", "othertool-channels")},
        {"a later version", replaced("wavesmith-channels 1", "wavesmith-channels 2")},
        {"a language unknown", replaced("channels 1 1 2", "channels 1 7 2")},
        {"more rows than said", replaced("channels 1 1 2", "channels 1 1 1")},
        {"fewer rows than said", replaced("channels 1 1 2", "channels 1 1 3")},
        {"no rows", Sealed("wavesmith-channels 1 1 0\n")},
        {"a field missing", replaced("\n\t\t0\t", "\n\t0\t")},
        {"odd hex", replaced("\t0\t", "\t0\tf")},
        {"upper-case hex", replaced("4142", "4A42")},
        {"a position too large", replaced("\t0\t", "\t40000\t")},
        {"a position with a leading zero", replaced("\t0\t", "\t00\t")},
        {"an empty channel with a transmit frequency", replaced("\n\t\t0", "\n\t3134\t0")},
        {"a string too long", replaced("4142434445464748", std::string(200, 'a'))},
        {"too large", Sealed(body + std::string(kMaxChannelClipSize, '\n'))},
    };
    for (const auto& c : cases) EXPECT_FALSE(DecodeChannelClip(c.payload)) << c.what;
}

TEST(ChannelClip, RandomDamageNeverDecodesToSomethingElse) {
    ChannelTable source;
    source.setRow(2, EveryFieldSet(kEn));
    const std::string good = EncodeChannelClip(source, {1, 4}, kEn);
    std::mt19937 rng(11);
    for (int round = 0; round < 500; ++round) {
        std::string damaged = good;
        const int changes = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < changes; ++i)
            damaged[rng() % damaged.size()] = static_cast<char>(rng() % 256);
        if (damaged == good) continue;
        EXPECT_FALSE(DecodeChannelClip(damaged)) << round;
    }
}

// A table with existing channels 1 to 4 in English.
ChannelTable Filled() {
    ChannelTable t;
    for (int n = 1; n <= 4; ++n) t.CommitFrequency(n, 1, "145", kBand0, kEn);
    return t;
}

std::vector<std::string> Cells(const ChannelTable& t, int row) {
    std::vector<std::string> cells;
    for (int c = 1; c <= kNameColumn; ++c) cells.push_back(t.cell(row, c));
    return cells;
}

TEST(CellPaste, OneValueGoesThroughItsCellsEntryRules) {
    const struct {
        int row, column;
        const char* value;
        int expectedColumn;
        const char* expected;  // the cell afterwards
        const char* report;    // empty: nothing reported
    } cases[] = {
        {1, 1, " 146.52 ", 1, "146.52000", ""},
        {1, 2, "438.5", 2, "438.50000", ""},
        {1, 1, "99", 1, "145.00000",
         "channel 1: RXFreq: \"99\" beyond the scope of frequency band, row skipped"},
        {1, 2, "145 MHz", 2, "145.00000",
         "channel 1: TXFreq: \"145 MHz\" is not a number, row skipped"},
        {1, 2, "", 2, "145.00000", ""},  // an empty transmit entry changes nothing
        {1, 1, "", 1, "145.00000", ""},  // an empty clipboard changes nothing
        {2, 10, "abc1", 10, "ABC1", ""},
        {2, 10, "ab c{d", 10, "ABCD", "channel 2: Channel Name: \"ab c{d\" taken as \"ABCD\""},
        {2, 10, "longname9", 10, "LONGNAME",
         "channel 2: Channel Name: \"longname9\" taken as \"LONGNAME\""},
        {3, 6, "CARRY", 6, "Carry", ""},
        {3, 6, "载波", 6, "Carry", ""},  // the other language's entry is the same entry
        {3, 8, "Wide", 8, "wide", ""},
        {3, 3, "d023n", 3, "D023N", ""},
        {3, 4, "88.5", 4, "88.5", ""},
        {3, 5, "5W", 5, "High", "channel 3: Power: \"5W\" not understood, row skipped"},
        {3, 3, "67.1", 3, "Off",
         "channel 3: QT/DQT Dec: \"67.1\" is not a tone of the radio, row skipped"},
        {3, 0, "147", 1, "147.00000", ""},  // the channel number column takes it as receive
        {9, 7, "On", 7, "", "channel 9: RXFreq: empty, row skipped"},
        {9, 10, "", 10, "", ""},
    };
    for (const auto& c : cases) {
        ChannelTable t = Filled();
        const CsvImport result = PasteCells(c.value, c.row, c.column, t, kBand0, kEn);
        EXPECT_EQ(t.cell(c.row, c.expectedColumn), c.expected) << c.value;
        std::string report;
        for (const CsvIssue& issue : result.issues) report += CsvIssueText(issue, kEn);
        EXPECT_EQ(report, c.report) << c.value;
        // Nothing but the cell pasted on changes, and a refused row not at all.
        const bool emptied = c.expectedColumn == 1 && *c.value == '\0';
        for (int col = 1; col <= kNameColumn && !emptied; ++col) {
            if (col == c.expectedColumn) continue;
            EXPECT_EQ(t.cell(c.row, col), Filled().cell(c.row, col)) << c.value << col;
        }
    }
}

TEST(CellPaste, AColumnFillsDownwardAndAGridLaidSheetFillsWholeChannels) {
    ChannelTable t = Filled();
    CsvImport result = PasteCells("Low\r\nMiddle\r\n\r\nlow\r\n", 1, 5, t, kBand0, kEn);
    EXPECT_EQ(result.channels, (std::vector<int>{1, 2, 3, 4}));
    for (const auto& [row, power] : {std::pair{1, "Low"}, {2, "Middle"}, {3, "High"}, {4, "Low"}})
        EXPECT_EQ(t.cell(row, 5), power) << row;

    // New channels made by a receive column take the defaults, as typed ones do.
    PasteCells("150\n151.0125\n", 20, 1, t, kBand0, kZh);
    EXPECT_EQ(Cells(t, 21), (std::vector<std::string>{"151.01250", "151.01250", "关闭", "关闭",
                                                      "高", "关", "使能", "宽带", "关", ""}));

    // Rows laid out like the grid fill whole channels from the receive frequency, wherever
    // they are pasted; a row that cannot be taken whole is skipped whole.
    const std::string sheet =
        "145.6\t145\tD023N\t88.5\tMiddle\tCarry\tOff\tNarror\tOn\tclub\n"
        "146\t146.6\tOff\tOff\tHigh\tOff\tOn\twide\tOff\trpt\n"
        "433\t999\tOff\tOff\tLow\tOff\tOn\twide\tOff\tbad\n";
    const std::vector<std::string> before = Cells(t, 4);
    result = PasteCells(sheet, 2, 7, t, kBand0, kEn);
    EXPECT_EQ(Cells(t, 2),
              (std::vector<std::string>{"145.60000", "145.00000", "D023N", "88.5", "Middle",
                                        "Carry", "Off", "Narror", "On", "CLUB"}));
    const auto& tones = ChannelColumnList(kRxToneColumn, kEn);
    const auto d023n = std::find(tones.begin(), tones.end(), "D023N") - tones.begin();
    EXPECT_EQ(t.model().channel(2).cellIndex,
              (std::array<std::int16_t, kListColumns>{static_cast<std::int16_t>(d023n), 9, 2, 0, 0,
                                                      0, 0}));
    EXPECT_EQ(Cells(t, 3)[9], "RPT");
    EXPECT_EQ(Cells(t, 4), before);  // 999 MHz transmit: refused
    EXPECT_EQ(result.taken, 2);
    EXPECT_EQ(result.skipped, 1);

    // An empty receive value empties its channel, as emptying the cell would.
    PasteCells("147\n\n148", 2, 1, t, kBand0, kEn);
    EXPECT_EQ(Cells(t, 3), std::vector<std::string>(10));
    EXPECT_EQ(t.cell(4, 1), "148.00000");
}

TEST(CellPaste, EdgesOfTheGridAreReported) {
    ChannelTable t = Filled();
    CsvImport result = PasteCells("On\tON\tX\tY", 1, 9, t, kBand0, kEn);
    EXPECT_EQ(CsvReportText(result, kEn),
              "channel 1: unknown column, ignored\n1 row taken (0 with changes), 0 skipped\n");
    EXPECT_EQ(t.cell(1, 9), "On");
    EXPECT_EQ(t.cell(1, 10), "ON");

    result = PasteCells("140\n141\n142\n143", 127, 1, t, kBand0, kEn);
    EXPECT_EQ(result.channels, (std::vector<int>{127, 128}));
    EXPECT_EQ(CsvReportText(result, kEn),
              "line 3: 2 rows from here on past channel 128, dropped\n2 rows taken (0 with "
              "changes), 2 skipped\n");
    EXPECT_THROW(PasteCells("1", 0, 1, t, kBand0, kEn), std::out_of_range);
    EXPECT_THROW(PasteCells("1", 1, 11, t, kBand0, kEn), std::out_of_range);
}

TEST(CellPaste, WhatDecidesBetweenTheListReaderAndTheCells) {
    const struct {
        const char* text;
        bool list, several;
    } cases[] = {
        {"145.5", false, false},
        {"145.5\r\n", false, false},
        {"145.5\t146", false, true},
        {"145.5\n146\n", false, true},
        {"\n\nLocation,Name,Frequency\n1,A,145\n", true, true},
        {"Name\tfrequency\r\nA\t145\r\n", true, true},
        {"NAME", false, false},  // a name that happens to be a column's
        {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsChannelListText(c.text), c.list) << c.text;
        EXPECT_EQ(HoldsSeveralCells(c.text), c.several) << c.text;
    }
    // PasteText sends each to its reader.
    ChannelTable t = Filled();
    PasteText("Frequency\n150\n", 2, 10, t, kBand0, kEn);
    EXPECT_EQ(t.cell(2, 1), "150.00000");
    PasteText("name2", 2, 10, t, kBand0, kEn);
    EXPECT_EQ(t.cell(2, 10), "NAME2");
}

}  // namespace
}  // namespace varel
