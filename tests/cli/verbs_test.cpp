// varel-cli's file verbs (dump, normalize, export-csv and import-csv) and every program's
// --version: exit codes, what reaches standard output and error, and what is saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "files/data_file.h"
#include "image/latin1.h"
#include "image/settings_codec.h"
#include "image/settings_fields.h"
#include "support/pattern_image.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace varel::test {
namespace {

const std::string kSample = VAREL_TEST_DATA "/sample.dat";
const std::string kHeader = std::string("ZNO-7P\xFF\xFF\xFF\xFFV0100") + std::string(33, '\xFF');
const std::vector<std::string> kNoDisplay = {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The rows of dump's channel table: after its title and column headers, up to the blank line.
std::vector<std::string> ChannelRows(const std::string& out) {
    const auto lines = Lines(out);
    const auto end = std::find(lines.begin(), lines.end(), std::string());
    return std::vector<std::string>(lines.begin() + std::min<long>(2, end - lines.begin()), end);
}

// Runs varel-cli with files in a temporary folder.
class Verbs : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return dir.file(name); }
    static ProgramResult run(const std::vector<std::string>& args) {
        return RunProgram(VAREL_CLI, args);
    }
    TempDir dir;
};

TEST_F(Verbs, CommandLineErrorsExitWithTheUsageAndHelpPrintsIt) {
    const std::string f = kSample;
    // clang-format off
    const std::vector<std::vector<std::string>> wrong = {
        {"dump"}, {"dump", f, f}, {"dump", "--lang", "fr", f}, {"dump", "--lang"},
        {"dump", "--bogus", f}, {"dump", "--all=1", f},
        {"normalize"}, {"normalize", "a.dat"}, {"normalize", "a.dat", "b.dat", "c.dat"},
        {"normalize", "--bogus", "a.dat", "b.dat"}, {"normalize", "-x"}, {"normalize", "a.dat", ""},
        {"normalize", "--help=x", "a.dat", "b.dat"},
        {"import-csv", f, "list.csv"}, {"export-csv", f}};
    // clang-format on
    for (const auto& args : wrong) {
        const auto r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args.size() << " " << r.err;
        EXPECT_TRUE(Has(r.err, "usage: varel-cli " + args[0]) && r.out.empty()) << r.err;
    }
    for (const std::string verb : {"dump", "normalize", "import-csv"}) {
        const auto help = run({verb, "--help"});
        EXPECT_EQ(help.exitCode, 0) << verb;
        EXPECT_TRUE(Has(help.out, "usage: varel-cli " + verb) && help.err.empty()) << verb;
    }
}

class Dump : public Verbs {
protected:
    void SetUp() override {
        // Channels 1 and 7 in use; channel 7's name holds a terminal escape sequence.
        MemoryImage image;
        image.fill(0xFF);
        const auto put = [&image](std::size_t at, const std::string& bytes) {
            for (std::size_t i = 0; i < bytes.size(); ++i) image.set(at + i, bytes[i]);
        };
        const std::string record("\x00\x25\x51\x14\x00\x25\x51\x14\x70\x06\xFF\xFF\xC1", 13);
        put(0, record);
        put(6 * 13, record);
        put(0x800, "CALL");
        put(0x830, "\x1B[2JX");
        SettingsModel settings;
        settings.setText(SettingId::DisplayCharacter, "HELLO");
        settings.setFmChannel(25, "107.90");
        settings.setNumber(SettingId::FmPresentChannel, 12);
        settings.setBand(2);
        EncodeSettings(settings, image);
        ASSERT_TRUE(WriteFileBytes(file("sample.dat"), BuildDataFile(image)));
    }
    ProgramResult dump(std::vector<std::string> args) const {
        args.insert(args.begin(), "dump");
        return run(args);
    }
};

// Control characters from the file are shown escaped.
TEST_F(Dump, ListsChannelsInUseAndEverySettingWithItsCaption) {
    const auto result = dump({file("sample.dat")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.err.empty());
    EXPECT_EQ(Lines(result.out).at(1),
              "Channel  RXFreq     TXFreq     QT/DQT Dec  QT/DQT Enc  Power  Busy Lock  Add Scan  "
              "Band    TX Prohibit  Channel Name");
    const auto rows = ChannelRows(result.out);
    ASSERT_EQ(rows.size(), 2u) << result.out;
    EXPECT_EQ(rows[0],
              "1        145.12500  145.12500  67.0        Off         High   Carry      Off       "
              "Narror  On           CALL");
    EXPECT_EQ(rows[1].rfind("7 ", 0), 0u);
    EXPECT_EQ(result.out.find('\x1B'), std::string::npos);
    EXPECT_TRUE(Has(rows[1], "\\x1B[2JX"));
    // The hidden lists the decoder never reads are not listed.
    for (const SettingField& f : SettingFields())
        EXPECT_EQ(Has(result.out, f.caption.en), f.offset >= 0 && f.decoded) << f.objectName;
    for (const char* text : {"  Display Character:", "HELLO\n", "A:136-174.995MHz B:400-479.995MHz",
                             "  Present Channel:  12\n", "25       107.90\n", "B Power Grades"})
        EXPECT_TRUE(Has(result.out, text)) << text;

    const auto all = dump({"--all", file("sample.dat")});  // the empty channels too
    ASSERT_EQ(all.exitCode, 0) << all.err;
    const auto allRows = ChannelRows(all.out);
    ASSERT_EQ(allRows.size(), 128u);
    EXPECT_EQ(allRows[1], "2");
    EXPECT_EQ(allRows[127], "128");
}

TEST_F(Dump, ChineseListingUsesChineseCaptionsAndAlignsWideCharacters) {
    const auto result = dump({"--lang", "zh", file("sample.dat")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(Lines(result.out).at(1),
              "频道  接收频率   发射频率   接收亚音频  发射亚音频  功率  繁忙信道锁定  扫描添加  "
              "宽窄带  发射禁止  频道名称");
    EXPECT_TRUE(Has(result.out, "67.0        关闭"));
    for (const SettingField& f : SettingFields())
        EXPECT_TRUE(!(f.offset >= 0 && f.decoded) || Has(result.out, f.caption.zh)) << f.objectName;
    EXPECT_FALSE(Has(result.out, "Squelch Level:"));

    // Values of one window start at the same terminal column; CJK characters take two.
    std::vector<int> columns;
    for (const std::string& line : Lines(result.out)) {
        for (const std::string caption : {"静噪等级:", "开机显示字符:", "VOX增益电平:"}) {
            if (line.rfind("  " + caption, 0) != 0) continue;
            int column = 0;
            for (char32_t cp : CodePoints(line.substr(0, line.find_last_of(' ') + 1)))
                column += cp >= 0x2E80 ? 2 : 1;
            columns.push_back(column);
        }
    }
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_TRUE(columns[0] == columns[1] && columns[1] == columns[2]);
}

// The listing is headed window by window with the windows' own captions (the program's menu
// items that show two of them have Chinese texts of their own), then by frames and tabs; the FM
// grid's first column is headed as the channel table's.
TEST_F(Dump, HeadingsAreTheCaptionsOfTheWindowsInEachLanguage) {
    const std::tuple<const char*, std::vector<std::string>, const char*> cases[] = {
        {"en",
         {"Channel Edit", "Optional Features", "Function Set", "VOX", "A Group VFO", "B Group VFO",
          "FM Channel Set", "Debugging", "A Power Grades", "B Power Grades"},
         "\n  Channel  Frequency(MHz)\n"},
        {"zh",
         {"信道编辑", "可选功能", "功能设置", "VOX(声控发射)", "A组全频频率", "B组全频频率",
          "FM频道设置", "调试", "A组功率等级", "B组功率等级"},
         "\n  频道  频率(MHz)\n"},
    };
    for (const auto& [lang, headings, fmGrid] : cases) {
        const auto result = dump({"--lang", lang, file("sample.dat")});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        std::vector<std::string> found;  // lines not indented, save channel rows and headers
        for (const std::string& line : Lines(result.out))
            if (!line.empty() && line[0] != ' ' &&
                !std::isdigit(static_cast<unsigned char>(line[0])) && !Has(line, "  "))
                found.push_back(line);
        EXPECT_EQ(found, headings) << lang;
        EXPECT_TRUE(Has(result.out, fmGrid)) << lang;
    }
}

// normalize opens a data file as a freshly started program does and saves it again.
TEST_F(Verbs, NormalizeGivesTheSampleItsChannelsInCanonicalForm) {
    const auto result = run({"normalize", kSample, file("out.dat")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string in = ReadFileText(kSample).substr(48);
    const std::string out = ReadFileText(file("out.dat"));
    ASSERT_EQ(out.size(), 3120u);
    EXPECT_EQ(out.substr(0, 48), kHeader);
    const std::string image = out.substr(48);

    // Channel 1 is canonical already; channel 2 drops its TX junk; channel 5 writes its
    // unlisted receive tone as off, its flags with bit 1 clear and its name without the fill
    // gap; the name of empty channel 3 and that of channel 128 stay as they were.
    EXPECT_EQ(image.substr(0, 13), in.substr(0, 13));
    EXPECT_EQ(image.substr(17, 4), std::string(4, '\xFF'));
    EXPECT_EQ(image.substr(52, 13), "\x50\x62\x25\x46\x50\x62\x75\x46\xFF\xFF\x41\x25\xFD");
    EXPECT_EQ(image.substr(0x820, 8), "AB" + std::string(6, '\xFF'));
    EXPECT_EQ(image.substr(0x810, 8), in.substr(0x810, 8));
    EXPECT_EQ(image.substr(0xBF8, 8), in.substr(0xBF8, 8));
    EXPECT_EQ(image[0x716], 1);

    ASSERT_EQ(run({"normalize", file("out.dat"), file("again.dat")}).exitCode, 0);
    EXPECT_EQ(ReadFileText(file("again.dat")), out);

    for (std::uint32_t seed = 1; seed <= 3; ++seed) {  // random images never fail
        ASSERT_TRUE(WriteFileBytes(file("in.dat"), BuildDataFile(PatternImage(seed))));
        ASSERT_EQ(run({"normalize", file("in.dat"), file("out.dat")}).exitCode, 0) << seed;
        const std::string saved = ReadFileText(file("out.dat"));
        EXPECT_EQ(saved.size(), 3120u);
        EXPECT_EQ(saved.substr(0, 48), kHeader);
    }
}

// A refused or missing file fails with one line naming it; normalize leaves its output alone.
TEST_F(Verbs, ARefusedOrMissingFileFailsWithOneLineAndNormalizeLeavesTheOutputAlone) {
    std::string bytes = ReadFileText(kSample);
    WriteFileText(file("short.dat"), bytes.substr(0, 3119));
    bytes[0] = 'z';
    WriteFileText(file("wrong.dat"), bytes);
    WriteFileText(file("kept.dat"), "old");
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"wrong.dat", "out.dat", "File type is incorrect!"},
        {"short.dat", "out.dat", "File type is incorrect!"},
        {"missing.dat", "out.dat", "Cannot open the file!"},
        {"wrong.dat", "kept.dat", "File type is incorrect!"},
        {"wrong.dat", nullptr, "File type is incorrect!"},  // dump
        {"missing.dat", nullptr, "Cannot open the file!"}};
    for (const auto& [in, out, message] : cases) {
        const auto result = out ? run({"normalize", file(in), file(out)}) : run({"dump", file(in)});
        EXPECT_EQ(result.exitCode, 1) << in;
        EXPECT_TRUE(result.out.empty()) << in;
        EXPECT_EQ(result.err.rfind("varel-cli: " + file(in), 0), 0u) << result.err;
        EXPECT_TRUE(Has(result.err, message)) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_EQ(run({"normalize", file("missing.dat"), file("out.dat")}).err,
              "varel-cli: " + file("missing.dat") +
                  ": Cannot open the file! (No such file or directory)\n");
    EXPECT_FALSE(std::filesystem::exists(file("out.dat")));
    EXPECT_EQ(ReadFileText(file("kept.dat")), "old");
}

// Every verb that opens a data file warns once of one longer than a configuration, and reads
// it as the first 3,120 bytes; from a pipe too.
TEST_F(Verbs, AFileLongerThanAConfigurationIsReadWithAWarning) {
    const std::string sample = ReadFileText(kSample);
    WriteFileText(file("longer.dat"), sample + "trailing");
    const std::string warning =
        ": The file is longer than a configuration: only its first 3,120 bytes were read.\n";
    const auto plain = run({"dump", kSample});
    const auto longer = run({"dump", file("longer.dat")});
    EXPECT_EQ(longer.exitCode, 0);
    EXPECT_EQ(longer.out, plain.out);
    EXPECT_EQ(longer.err, "varel-cli: warning: " + file("longer.dat") + warning);
    EXPECT_EQ(plain.err, "");
    EXPECT_EQ(run({"normalize", file("longer.dat"), file("out.dat")}).err,
              "varel-cli: warning: " + file("longer.dat") + warning);
    ASSERT_EQ(run({"normalize", kSample, file("plain.dat")}).exitCode, 0);
    EXPECT_EQ(ReadFileText(file("out.dat")), ReadFileText(file("plain.dat")));
    const auto piped = RunProgram(
        "/bin/sh", {"-c", "cat \"$0\" | \"$1\" dump /dev/stdin", file("longer.dat"), VAREL_CLI});
    EXPECT_EQ(piped.out, plain.out);
    EXPECT_EQ(piped.err, "varel-cli: warning: /dev/stdin" + warning);
}

TEST_F(Verbs, ExportThenImportKeepsTheChannels) {
    const auto exported = run({"export-csv", kSample, file("list.csv")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const std::string list = ReadFileText(file("list.csv"));
    EXPECT_EQ(list.rfind("Location,Name,Frequency,Duplex,", 0), 0u);
    EXPECT_TRUE(
        Has(list, "\n1,CALL,145.125000,+,0.600000,Cross,88.5,67.0,023,NN,023,DTCS->Tone,FM"));

    // Band 0 holds every channel of the sample; a name with a non-ASCII letter changes, one of
    // all eight characters the radio holds stays whole.
    const auto imported =
        run({"import-csv", "--band", "0", kSample, file("list.csv"), file("out.dat")});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.err,
              "line 3: Name: \"RPT-\xC3\x84\" taken as \"RPT-\"\n"
              "4 rows taken (1 with changes), 0 skipped\n");
    ASSERT_EQ(run({"export-csv", file("out.dat"), file("again.csv")}).exitCode, 0);
    std::string expected = list;
    expected.replace(expected.find("RPT-\xC3\x84"), 6, "RPT-");
    EXPECT_EQ(ReadFileText(file("again.csv")), expected);
}

TEST_F(Verbs, ExitCodesOfTheImport) {
    WriteFileText(file("skips.csv"), "Location,Frequency\n1,145.5\n2,500\n");
    WriteFileText(file("broken.csv"), "Location,Frequency\n1,\"145.5\n");
    WriteFileText(file("kept.dat"), "old");
    // err: expected in standard error
    const std::tuple<std::vector<std::string>, int, const char*> cases[] = {
        {{kSample, file("skips.csv"), file("out.dat")},
         6,
         "1 row taken (0 with changes), 1 skipped"},
        {{kSample, file("broken.csv"), file("kept.dat")}, 1, "quote never closed"},
        {{kSample, file("missing.csv"), file("kept.dat")}, 1, "Cannot open the file!"},
        {{"--band", "3", kSample, file("skips.csv"), file("kept.dat")}, 2, "--band needs"},
    };
    for (const auto& [given, exitCode, err] : cases) {
        std::vector<std::string> args = given;
        args.insert(args.begin(), "import-csv");
        const auto result = run(args);
        EXPECT_EQ(result.exitCode, exitCode) << result.err;
        EXPECT_TRUE(Has(result.err, err)) << result.err;
    }
    EXPECT_EQ(ReadFileText(file("out.dat")).size(), 3120u);  // saved with the skips
    EXPECT_EQ(ReadFileText(file("kept.dat")), "old");
}

// The project's one version, on standard output, with no display needed (not even by the Qt
// program), which also answers -h without one and refuses a wrong command line.
TEST(Version, EveryProgramPrintsTheProjectsVersionWithoutADisplay) {
    std::vector<std::pair<std::string, std::string>> programs = {{VAREL_CLI, "varel-cli"},
                                                                 {VAREL_SIM, "varel-sim"}};
#ifdef VAREL_GUI
    programs.push_back({VAREL_GUI, "varel"});
    const auto help = RunProgram(VAREL_GUI, {"-h"}, 20000, kNoDisplay);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: varel ", 0), 0u) << help.out;
    const auto wrong =
        RunProgram(VAREL_GUI, {"a.dat", "b.dat"}, 20000, {"QT_QPA_PLATFORM=offscreen"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(Has(wrong.err, "varel: only one data file can be opened\nusage: varel "))
        << wrong.err;
#endif
    for (const auto& [path, name] : programs) {
        const auto result = RunProgram(path, {"--version"}, 20000, kNoDisplay);
        EXPECT_EQ(result.exitCode, 0) << name;
        EXPECT_EQ(result.out, name + " (Wavesmith) " VAREL_VERSION "\n");
        EXPECT_EQ(result.err, "") << name;
    }
}

#ifdef VAREL_GUI
// The start-up benchmark's hook: given the moment it was started, the program prints the
// milliseconds to its first window shown, one number on one line, and ends by itself.
TEST(StartUpHook, TheProgramReportsItsFirstWindowShownAndEnds) {
    TempDir home;
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    const auto run = RunProgram(VAREL_GUI, {}, 20000,
                                {"QT_QPA_PLATFORM=offscreen", "HOME=" + home.path().string(),
                                 "XDG_CONFIG_HOME=" + home.path().string(),
                                 "VAREL_START_NS=" + std::to_string(now.count())});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_FALSE(run.out.empty());
    EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << run.out;
    std::size_t used = 0;
    const double ms = std::stod(run.out, &used);
    EXPECT_EQ(used, run.out.size() - 1) << run.out;
    EXPECT_GT(ms, 0.0);
    EXPECT_LT(ms, 20000.0);
}
#endif

}  // namespace
}  // namespace varel::test
