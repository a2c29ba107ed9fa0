// Channel lists: the exact rows export writes, the round trip through import, hand-written
// files, every reason a row is skipped or changed, and malformed files.
#include "image/channel_csv.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "image/channel_codec.h"
#include "image/channel_columns.h"
#include "image/csv_text.h"
#include "image/encodings.h"
#include "support/temp_dir.h"

namespace varel {
namespace {

const FrequencyBand kBand0 = *BandBounds(0);
const FrequencyBand kBand1 = *BandBounds(1);  // 144-146, 430-440
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
        for (int c = 1; c <= kNameColumn; ++c)
            EXPECT_EQ(a.cell(r, c), b.cell(r, c)) << "row " << r << " column " << c;
}

std::vector<std::string> ReportLines(const CsvImport& result) {
    std::vector<std::string> lines;
    for (const CsvIssue& issue : result.issues)
        lines.push_back(CsvIssueText(issue, Language::English));
    return lines;
}

TEST(ChannelCsv, ExportWritesTheFormatAndImportGivesTheSameChannels) {
    for (Language lang : {Language::Chinese, Language::English}) {
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
    Enter(t, 1, kEntered[1], Language::English);
    t.CommitChoice(1, kBusyLockColumn, 0, Language::English);  // Carry
    Enter(t, 2, kEntered[2], Language::English);
    t.CommitName(3, "ORPHAN");  // a name on an empty channel
    const ChannelRowState untouched = t.row(2);

    const CsvImport result =
        ImportChannelCsv("Location,Frequency\n1,146.5\n3,147\n", t, kBand0, Language::English);
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
    const CsvImport result = ImportChannelCsv(file, t, kBand0, Language::English);
    EXPECT_EQ(ReportLines(result), (std::vector<std::string>{
                                       "line 2: Extra: unknown column, ignored",
                                       "line 5: Name: \"say \"hi\"\" taken as \"SAYHI\"",
                                       "line 5: Power: \"0.5W\" taken as \"1.0W\"",
                                   }));
    EXPECT_EQ(CsvReportText(result, Language::English)
                  .substr(CsvReportText(result, Language::English).rfind("3 rows")),
              "3 rows taken (1 with changes), 0 skipped\n");
    const std::vector<std::vector<std::string>> cells = {
        {"146.52000", "146.52000", "Off", "100.0", "High", "Off", "Off", "Narror", "Off", "NO,1"},
        {"446.00625", "446.00625", "Off", "Off", "Low", "Off", "On", "Wide", "Off", "SAYHI"},
        {"145.60000", "145.60000", "D023N", "D023N", "Middle", "Off", "On", "Wide", "Off", "RPT"},
    };
    for (int i = 0; i < 3; ++i)
        for (int c = 1; c <= kNameColumn; ++c)
            EXPECT_EQ(t.cell(12 + i, c), cells[i][c - 1]) << "channel " << 12 + i << " col " << c;
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
    Enter(t, 5, kEntered[2], Language::English);
    const ChannelRowState kept = t.row(5);
    const CsvImport result = ImportChannelCsv(file, t, kBand0, Language::English);
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

TEST(ChannelCsv, BandCheckFollowsTheLanguageAndCellsTheirTexts) {
    for (Language lang : {Language::Chinese, Language::English}) {
        ChannelTable t;
        const CsvImport result =
            ImportChannelCsv("Location,Frequency\n1,146\n2,144\n", t, kBand1, lang);
        EXPECT_EQ(result.skipped, lang == Language::English ? 0 : 1);
        EXPECT_EQ(t.cell(2, kPowerColumn), lang == Language::English ? "High" : "高");
    }
}

TEST(ChannelCsv, MalformedFilesAreRefusedWholeAndChangeNothing) {
    const struct {
        std::string text;
        const char* report;
    } cases[] = {
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
    for (const auto& c : cases) {
        ChannelTable t;
        Enter(t, 1, kEntered[0], Language::English);
        const ChannelTable before = t;
        const CsvImport result = ImportChannelCsv(c.text, t, kBand0, Language::English);
        EXPECT_TRUE(result.refused);
        EXPECT_EQ(CsvReportText(result, Language::English), c.report);
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
        const CsvImport result = ImportChannelCsv(text, t, kBand0, Language::Chinese);
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
    EXPECT_EQ(CsvReportText(list, Language::English),
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
    const struct {
        std::string text;
        CsvTextError error;
        int line;
    } cases[] = {
        {"Location,Frequency\n3,\"14\"6.5\n", CsvTextError::TextAfterQuote, 2},
        {"a\n\"b\nc\"d,e\n", CsvTextError::TextAfterQuote, 3},  // the closing quote's line
        {"a,\"b\"\t,c\n", CsvTextError::TextAfterQuote, 1},
        {"\"b\" \r\n\"c\"", CsvTextError::None, 0},
    };
    for (const auto& c : cases) {
        const CsvText csv = ParseCsv(c.text);
        EXPECT_EQ(csv.error, c.error) << c.text;
        EXPECT_EQ(csv.errorLine, c.line) << c.text;
    }
}

TEST(ChannelCsv, ReportLinesShortenLongValues) {
    const std::string huge(2 * 1024 * 1024, 'a');
    std::string chinese;
    for (int i = 0; i < 50; ++i) chinese += "频";
    ChannelTable t;
    const CsvImport result = ImportChannelCsv(
        "Location,Frequency,Name," + huge + "\n1,145," + huge + "\n2,145," + chinese + "\n", t,
        kBand0, Language::English);
    const std::string a40(40, 'a');
    std::string zh40;
    for (int i = 0; i < 40; ++i) zh40 += "频";
    EXPECT_EQ(ReportLines(result), (std::vector<std::string>{
                                       "line 1: " + a40 + "…: unknown column, ignored",
                                       "line 2: Name: \"" + a40 + "…\" taken as \"AAAAAAAA\"",
                                       "line 3: Name: \"" + zh40 + "…\" taken as \"\"",
                                   }));
    EXPECT_EQ(CsvIssueText(result.issues[1], Language::Chinese),
              "第 2 行: Name: “" + a40 + "…”改为“AAAAAAAA”");
    const std::string exact(40, 'b');  // 40 characters are shown whole
    EXPECT_EQ(CsvIssueText({1, 0, "Name", CsvIssueKind::Adjusted, exact, "B"}, Language::English),
              "line 1: Name: \"" + exact + "\" taken as \"B\"");
}

TEST(ChannelCsv, AHeaderWithoutRowsSaysSo) {
    ChannelTable t;
    const CsvImport result =
        ImportChannelCsv("Location,Frequency\r\n,\n# nothing\n", t, kBand0, Language::Chinese);
    EXPECT_FALSE(result.refused);
    EXPECT_EQ(CsvReportText(result, Language::English),
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
