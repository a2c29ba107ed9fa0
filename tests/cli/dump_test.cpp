// varel-cli dump: the listing of a data file in either language.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "image/data_file.h"
#include "image/latin1.h"
#include "image/settings_codec.h"
#include "image/settings_fields.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using varel::SettingId;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The rows of the channel table: after its title and column headers, up to the blank line.
std::vector<std::string> ChannelRows(const std::string& out) {
    const auto lines = Lines(out);
    const auto end = std::find(lines.begin(), lines.end(), std::string());
    return std::vector<std::string>(lines.begin() + std::min<long>(2, end - lines.begin()), end);
}

bool Has(const std::string& out, const std::string& text) {
    return out.find(text) != std::string::npos;
}

class Dump : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.ok());
        // Channels 1 and 7 in use; channel 7's name holds a terminal escape sequence.
        varel::MemoryImage image;
        image.fill(0xFF);
        const std::uint8_t record[] = {0x00, 0x25, 0x51, 0x14, 0x00, 0x25, 0x51,
                                       0x14, 0x70, 0x06, 0xFF, 0xFF, 0xC1};
        const std::uint8_t name1[] = {'C', 'A', 'L', 'L'};
        const std::uint8_t name7[] = {0x1B, '[', '2', 'J', 'X'};
        for (std::size_t i = 0; i < sizeof record; ++i) image.set(i, record[i]);
        for (std::size_t i = 0; i < sizeof record; ++i) image.set(6 * 13 + i, record[i]);
        for (std::size_t i = 0; i < sizeof name1; ++i) image.set(0x800 + i, name1[i]);
        for (std::size_t i = 0; i < sizeof name7; ++i) image.set(0x830 + i, name7[i]);
        varel::SettingsModel settings;
        settings.setText(SettingId::DisplayCharacter, "HELLO");
        settings.setFmChannel(25, "107.90");
        settings.setNumber(SettingId::FmPresentChannel, 12);
        settings.setBand(2);
        varel::EncodeSettings(settings, image);
        write("sample.dat", varel::BuildDataFile(image));
    }
    std::string file(const std::string& name) const { return m_dir.file(name); }
    void write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        varel::test::WriteFileBytes(file(name), bytes);
    }
    varel::test::ProgramResult run(std::vector<std::string> args) const {
        args.insert(args.begin(), "dump");
        return varel::test::RunProgram(VAREL_CLI, args);
    }

private:
    varel::test::TempDir m_dir;
};

TEST_F(Dump, ListsChannelsInUseAndEverySettingWithItsCaption) {
    const auto result = run({file("sample.dat")});
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
    // The hidden lists the decoder never reads are not listed.
    for (const varel::SettingField& f : varel::SettingFields())
        EXPECT_EQ(Has(result.out, f.caption.en), f.offset >= 0 && f.decoded) << f.objectName;
    for (const char* text : {"  Display Character:", "HELLO\n", "A:136-174.995MHz B:400-479.995MHz",
                             "  Present Channel:  12\n", "25       107.90\n", "B Power Grades"})
        EXPECT_TRUE(Has(result.out, text)) << text;
}

TEST_F(Dump, AllAddsTheEmptyChannels) {
    const auto result = run({"--all", file("sample.dat")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto rows = ChannelRows(result.out);
    ASSERT_EQ(rows.size(), 128u);
    EXPECT_EQ(rows[1], "2");
    EXPECT_EQ(rows[127], "128");
}

TEST_F(Dump, ChineseListingUsesChineseCaptionsAndAlignsWideCharacters) {
    const auto result = run({"--lang", "zh", file("sample.dat")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(Lines(result.out).at(1),
              "频道  接收频率   发射频率   接收亚音频  发射亚音频  功率  繁忙信道锁定  扫描添加  "
              "宽窄带  发射禁止  频道名称");
    EXPECT_TRUE(Has(result.out, "67.0        关闭"));
    for (const varel::SettingField& f : varel::SettingFields()) {
        if (f.offset >= 0 && f.decoded) {
            EXPECT_TRUE(Has(result.out, f.caption.zh)) << f.objectName;
        }
    }
    EXPECT_FALSE(Has(result.out, "Squelch Level:"));

    // Values of one window start at the same terminal column; CJK characters take two.
    std::vector<int> columns;
    for (const std::string& line : Lines(result.out)) {
        for (const std::string caption : {"静噪等级:", "开机显示字符:", "VOX增益电平:"}) {
            if (line.rfind("  " + caption, 0) != 0) continue;
            int column = 0;
            for (char32_t cp : varel::CodePoints(line.substr(0, line.find_last_of(' ') + 1)))
                column += cp >= 0x2E80 ? 2 : 1;
            columns.push_back(column);
        }
    }
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_TRUE(columns[0] == columns[1] && columns[1] == columns[2]);
}

TEST_F(Dump, ControlCharactersFromTheFileAreShownEscaped) {
    const auto result = run({file("sample.dat")});
    EXPECT_EQ(result.out.find('\x1B'), std::string::npos);
    EXPECT_TRUE(Has(result.out, "\\x1B[2JX"));
}

TEST_F(Dump, UnreadableOrRefusedFilesFailWithOneLine) {
    write("wrong.dat", std::vector<std::uint8_t>(3120, 0xFF));
    for (const std::string name : {"wrong.dat", "missing.dat"}) {
        const auto result = run({file(name)});
        EXPECT_EQ(result.exitCode, 1) << name;
        EXPECT_TRUE(result.out.empty()) << name;
        EXPECT_EQ(result.err.rfind("varel-cli: " + file(name), 0), 0u) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
}

TEST_F(Dump, CommandLineErrorsExitWithUsage) {
    const std::string f = file("sample.dat");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {f, f}, {"--lang", "fr", f}, {"--lang"}, {"--bogus", f}, {"--all=1", f}}) {
        const auto result = run(args);
        EXPECT_EQ(result.exitCode, 2) << (args.empty() ? "" : args[0]);
        EXPECT_TRUE(Has(result.err, "usage: varel-cli dump") && result.out.empty());
    }
    const auto help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(Has(help.out, "usage: varel-cli dump"));
}

}  // namespace
