// varel-cli print: the PDF read back with Debian's PDF tools (poppler-utils): the words of both
// languages, the page counts, the card on one page, every font embedded, the paper size and
// the fingerprint that a verified write prints.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/sim_process.h"
#include "files/data_file.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace varel::test {
namespace {

const std::string kSample = VAREL_TEST_DATA "/sample.dat";

std::string Tool(const std::string& name, const std::vector<std::string>& args) {
    const ProgramResult r = RunProgram("/usr/bin/" + name, args);
    EXPECT_EQ(r.exitCode, 0) << name << ": " << r.err;
    return r.out;
}

// The text of one page (1, 2, ...) of a PDF, laid out as on the page.
std::string PageText(const std::string& pdf, int page) {
    const std::string p = std::to_string(page);
    return Tool("pdftotext", {"-layout", "-enc", "UTF-8", "-f", p, "-l", p, pdf, "-"});
}

// A line of pdfinfo's answer, after its label ("Pages", "Page size").
std::string Info(const std::string& pdf, const std::string& label) {
    std::istringstream in(Tool("pdfinfo", {pdf}));
    for (std::string line; std::getline(in, line);)
        if (line.rfind(label + ":", 0) == 0)
            return line.substr(line.find_first_not_of(' ', label.size() + 1));
    return std::string();
}

int Pages(const std::string& pdf) {
    return std::atoi(Info(pdf, "Pages").c_str());
}

// Each font of the PDF with its "emb" column: "WenQuanYiMicroHei yes".
std::vector<std::string> Fonts(const std::string& pdf) {
    std::istringstream in(Tool("pdffonts", {pdf}));
    std::string header, rule;
    std::getline(in, header);
    std::getline(in, rule);
    const std::size_t emb = header.find("emb");
    std::vector<std::string> fonts;
    for (std::string line; std::getline(in, line);)
        if (line.size() > emb + 3)
            fonts.push_back(line.substr(0, line.find(' ')) + " " + line.substr(emb, 3));
    return fonts;
}

// A data file of the sample's settings whose channels are the sample's channel 1 in each of
// `channels` records, named "NAME001" on, the others empty.
void SaveChannels(const std::string& path, int channels) {
    MemoryImage image;
    ASSERT_TRUE(LoadDataFile(kSample, image).ok());
    const MemoryImage sample = image;
    for (int n = 1; n <= static_cast<int>(kChannelCount); ++n) {
        char name[9];
        std::snprintf(name, sizeof name, "NAME%03d", n);
        for (std::size_t k = 0; k < kChannelRecordSize; ++k)
            image.set((n - 1) * kChannelRecordSize + k, n <= channels ? sample.at(k) : 0xFF);
        for (std::size_t k = 0; k < 8; ++k)
            image.set(kNameRegion + (n - 1) * 8 + k,
                      n <= channels && k < 7 ? static_cast<std::uint8_t>(name[k]) : 0xFF);
    }
    ASSERT_TRUE(SaveDataFile(path, image).ok());
}

class Print : public ::testing::Test {
protected:
    ProgramResult print(std::vector<std::string> args, const std::vector<std::string>& env = {}) {
        args.insert(args.begin(), "print");
        return RunProgram(VAREL_CLI, args, 20000, env);
    }
    TempDir dir;
};

TEST_F(Print, ChannelPagesHold32ChannelsAndTheSettingsFollowInBothLanguages) {
    const std::string full = dir.file("full.dat"), one = dir.file("one.dat"),
                      none = dir.file("none.dat");
    SaveChannels(full, 128);
    SaveChannels(one, 1);
    SaveChannels(none, 0);
    const struct {
        std::string file, lang;
        int channelPages;
        std::vector<std::string> firstPage, lastChannelPage, settingsPage;
    } cases[] = {
        {full,
         "en",
         4,
         {"full.dat", "Channel list", "RXFreq", "QT/DQT Dec", "TX Prohibit", "Channel Name",
          "145.12500", "NAME032", "Page 1 of "},
         {"NAME097", "NAME128", "Page 4 of "},
         {"Settings", "Optional Features", "Squelch Level:", "A Group VFO", "FM Channel Set",
          "Frequency(MHz)", "High Power Grades", "Page 5 of "}},
        {full,
         "zh",
         4,
         {"频道列表", "接收频率", "接收亚音频", "发射禁止", "频道名称", "宽带", "第 1 页"},
         {"NAME128", "第 4 页"},
         {"参数设置", "可选功能", "静噪等级:", "A组全频频率", "FM频道设置", "第 5 页"}},
        {one, "en", 1, {"NAME001", "Carry", "Page 1 of 2"}, {"NAME001"}, {"Page 2 of 2"}},
        {none, "zh", 1, {"没有已编程的频道。"}, {"第 1 页，共 2 页"}, {"参数设置"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + " " + c.lang);
        const std::string pdf = dir.file("list-" + c.lang + ".pdf");
        const ProgramResult r = print({"--lang", c.lang, c.file, pdf});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const int pages = Pages(pdf);
        EXPECT_GE(pages, c.channelPages + 1);
        EXPECT_LE(pages, c.channelPages + 2);
        for (const auto& word : c.firstPage) EXPECT_TRUE(Has(PageText(pdf, 1), word)) << word;
        for (const auto& word : c.lastChannelPage)
            EXPECT_TRUE(Has(PageText(pdf, c.channelPages), word)) << word;
        for (const auto& word : c.settingsPage)
            EXPECT_TRUE(Has(PageText(pdf, c.channelPages + 1), word)) << word;
        // A channel is on its page only: 32 to a page.
        if (c.channelPages == 4) {
            EXPECT_FALSE(Has(PageText(pdf, 1), "NAME033"));
            EXPECT_TRUE(Has(PageText(pdf, 2), "NAME033"));
        }
        EXPECT_FALSE(Has(PageText(pdf, c.channelPages + 1), "NAME001"));
    }
}

TEST_F(Print, TheCardIsOnePageWithTheChannelsInAFewWords) {
    const std::string full = dir.file("full.dat");
    SaveChannels(full, 128);
    const struct {
        std::string file, lang;
        std::vector<std::string> words, absent;
    } cases[] = {
        {full,
         "en",
         {"Pocket card", "NAME001", "NAME128", "145.12500", "145.72500", "67.0", "D023N"},
         {"Carry", "High", "Squelch"}},
        {full, "zh", {"频道卡", "NAME064", "NAME128", "数据指纹："}, {"载波", "功率"}},
        // The sample's channel 2 has no transmit frequency, channel 128 the same as receive, and
        // channel 5 a receive tone the list lacks, which a write sends as Off.
        {kSample,
         "en",
         {"—", "173.99500", "LAST1234", "254.1"},
         {"Off", "100.3", "173.99500   173.99500"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + " " + c.lang);
        const std::string pdf = dir.file("card.pdf");
        const ProgramResult r = print({"--card", "--lang", c.lang, c.file, pdf});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(Pages(pdf), 1);
        const std::string text = PageText(pdf, 1);
        for (const auto& word : c.words) EXPECT_TRUE(Has(text, word)) << word << "\n" << text;
        for (const auto& word : c.absent) EXPECT_FALSE(Has(text, word)) << word;
    }
}

TEST_F(Print, EveryFontIsEmbeddedChineseIncluded) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--lang", "zh"}, {"--lang", "en"}, {"--card", "--lang", "zh"}}) {
        std::vector<std::string> all = args;
        const std::string pdf = dir.file("fonts.pdf");
        all.insert(all.end(), {kSample, pdf});
        ASSERT_EQ(print(all).exitCode, 0);
        const auto fonts = Fonts(pdf);
        ASSERT_FALSE(fonts.empty()) << args[0];
        for (const auto& font : fonts) {
            EXPECT_TRUE(Has(font, "WenQuanYi")) << font;
            EXPECT_TRUE(Has(font, " yes")) << font;
        }
    }
}

TEST_F(Print, PaperComesFromTheLocaleUnlessGiven) {
    const struct {
        std::vector<std::string> args, env;
        const char* size;
    } cases[] = {
        {{}, {}, "(A4)"},
        {{}, {"LC_ALL=", "LC_PAPER=en_US.UTF-8"}, "(letter)"},
        {{}, {"LC_ALL=", "LC_PAPER=", "LANG=es_MX.UTF-8"}, "(letter)"},
        {{}, {"LC_ALL=", "LC_PAPER=de_DE.UTF-8", "LANG=en_US.UTF-8"}, "(A4)"},
        {{}, {"LC_ALL=fr_CA.UTF-8", "LC_PAPER=de_DE.UTF-8"}, "(letter)"},
        {{"--paper", "a4"}, {"LC_ALL=en_US.UTF-8"}, "(A4)"},
        // No display is needed, whatever platform is asked for.
        {{"--paper", "Letter"},
         {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=xcb"},
         "(letter)"},
    };
    for (const auto& c : cases) {
        const std::string pdf = dir.file("paper.pdf");
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {kSample, pdf});
        const ProgramResult r = print(args, c.env);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(Has(Info(pdf, "Page size"), c.size))
            << Info(pdf, "Page size") << " " << (c.env.empty() ? "" : c.env.back());
    }
}

TEST_F(Print, WrongCommandLinesAndFilesFailAndLeaveNothing) {
    const std::string pdf = dir.file("out.pdf");
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        {{kSample}, 2},
        {{"--paper", "a5", kSample, pdf}, 2},
        {{"--lang", "fr", kSample, pdf}, 2},
        {{"--card=1", kSample, pdf}, 2},
        {{kSample, ""}, 2},
        {{dir.file("missing.dat"), pdf}, 1},
        {{kSample, dir.file("no/such/folder.pdf")}, 1},
        {{kSample, dir.path().string()}, 1},
    };
    for (const auto& c : cases) {
        const ProgramResult r = print(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0] << " " << r.err;
        EXPECT_TRUE(Has(r.err, "varel-cli: ")) << r.err;
        EXPECT_FALSE(std::filesystem::exists(pdf));
    }
}

// The fingerprint on the paper is the one a verified write of the same file prints.
TEST_F(Print, TheFingerprintOnThePaperIsTheOneAVerifiedWritePrints) {
    SimProcess radio;
    ASSERT_TRUE(radio.start({"--band", "1"}));  // the sample's band
    const ProgramResult write =
        RunProgram(VAREL_CLI, {"write", "--port", radio.device(), "--verify", kSample});
    ASSERT_EQ(write.exitCode, 0) << write.err;
    const std::size_t at = write.out.find("Fingerprint: ");
    ASSERT_NE(at, std::string::npos) << write.out;
    const std::string fingerprint = write.out.substr(at + 13, 8);
    EXPECT_EQ(fingerprint.find_first_not_of("0123456789ABCDEF"), std::string::npos) << fingerprint;

    for (const char* lang : {"en", "zh"}) {
        const std::string list = dir.file("list.pdf"), card = dir.file("card.pdf");
        ASSERT_EQ(print({"--lang", lang, kSample, list}).exitCode, 0);
        ASSERT_EQ(print({"--card", "--lang", lang, kSample, card}).exitCode, 0);
        for (int page = 1; page <= Pages(list); ++page)
            EXPECT_TRUE(Has(PageText(list, page), fingerprint)) << lang << " page " << page;
        EXPECT_TRUE(Has(PageText(card, 1), fingerprint)) << lang;
    }
    // Another channel list gives another fingerprint.
    const std::string other = dir.file("other.dat"), pdf = dir.file("other.pdf");
    SaveChannels(other, 3);
    ASSERT_EQ(print({other, pdf}).exitCode, 0);
    EXPECT_FALSE(Has(PageText(pdf, 1), fingerprint));
}

}  // namespace
}  // namespace varel::test
