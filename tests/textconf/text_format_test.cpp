// Configurations as text: the round trip over valid, damaged and random files, what is written
// in words and what in hex, names with odd bytes, one-value edits and the reader's refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "files/data_file.h"
#include "files/file_io.h"
#include "image/image_codec.h"
#include "support/pattern_image.h"
#include "textconf/text_reader.h"
#include "textconf/text_writer.h"

namespace varel::test {
namespace {

using textconf::ExportText;
using textconf::ImportText;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const std::string& path) {
    Bytes bytes;
    EXPECT_TRUE(ReadFilePrefix(path, 1 << 20, bytes).ok()) << path;
    return bytes;
}

Bytes Example() {
    return ReadFile(VAREL_DOCS "/example.dat");
}

// The text with the first `from` replaced by `to` (which must be there).
std::string Edited(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// Exports, imports and exports again: the same bytes and the same text.
void ExpectRoundTrip(const Bytes& file, const std::string& what) {
    const Bytes config(file.begin(), file.begin() + kDataFileSize);
    const std::string text = ExportText(file);
    const auto back = ImportText(text, Language::English);
    ASSERT_TRUE(back.ok) << what << ": line " << back.line << ": " << back.problem;
    EXPECT_EQ(back.file, config) << what;
    EXPECT_EQ(ExportText(back.file), text) << what;
}

Bytes FileOf(const MemoryImage& image) {
    return BuildDataFile(image);
}

TEST(ConfigText, EveryFileTheProgramOpensComesBackByteForByte) {
    std::vector<std::pair<std::string, Bytes>> corpus = {
        {"example", Example()},
        {"sample", ReadFile(VAREL_TEST_DATA "/sample.dat")},
        {"zeros", FileOf(MemoryImage())},
    };
    MemoryImage ff;
    ff.fill(0xFF);
    corpus.push_back({"all FF", FileOf(ff)});
    Configuration fresh;
    MemoryImage saved;
    EncodeImage(fresh, saved);
    corpus.push_back({"fresh program", FileOf(saved)});
    for (const auto& entry : std::filesystem::directory_iterator(VAREL_FUZZ_CORPUS "/data_file")) {
        Bytes bytes = ReadFile(entry.path().string());
        MemoryImage in;
        if (ParseDataFile(bytes, in).ok()) corpus.push_back({entry.path().string(), bytes});
    }
    std::mt19937 rng(7);
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        // Random images behind a header whose bytes after the identifier are random too.
        Bytes random = FileOf(PatternImage(seed));
        if (seed % 2 == 0)
            for (std::size_t i = 6; i < kDataFileHeaderSize; ++i)
                random[i] = static_cast<std::uint8_t>(rng());
        corpus.push_back({"random " + std::to_string(seed), random});
        // The example damaged in a few random places, past its end too.
        Bytes damaged = Example();
        for (int k = 0; k < 12; ++k)
            damaged[kDataFileHeaderSize + rng() % kConfigSize] = static_cast<std::uint8_t>(rng());
        damaged.push_back(0x42);
        corpus.push_back({"damaged " + std::to_string(seed), damaged});
    }
    for (const auto& [what, file] : corpus) ExpectRoundTrip(file, what);
}

TEST(ConfigText, ValuesAreWordsOnlyWhenTheirWordsGiveBackTheirBytes) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::uint8_t>> bytes;  // image offset, byte
        const char* line;                                 // expected in the text
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"flag bits 6-7 not set", {{12, 0x19}}, "wide, On, \"CALL\", 0x0]"},
        {"power 3", {{12, 0xFB}}, "1: [145.12500, 145.72500, 67.0, D023N, 0x3, Carry,"},
        {"digits A-F in a frequency", {{0, 0x25}, {1, 0xF6}, {2, 0x95}, {3, 0x44}},
         "1: [449.5F625,"},
        {"no transmit frequency", {{4, 0xFF}, {5, 0xFF}, {6, 0xFF}, {7, 0xFF}},
         "1: [145.12500, \"\", 67.0,"},
        {"off tone with a second byte", {{8, 0xFF}, {9, 0x00}}, "145.72500, 0xFF00, D023N"},
        {"tone the list lacks", {{8, 0x71}, {9, 0x06}}, "145.72500, 0x7106, D023N"},
        {"channel number past 128", {{0x705, 0x81}}, "  A Channel Number: 0x81\n"},
        {"channel number 128", {{0x705, 0x80}}, "  A Channel Number: 128\n"},
        {"FM word above 108 MHz", {{0x760, 0x00}, {0x761, 0xD3}}, "  FM channel 1: 0x00D3\n"},
        {"FM word of 108 MHz", {{0x760, 0x00}, {0x761, 0xD2}}, "  FM channel 1: 108.00\n"},
        {"FM word of 88.1 MHz", {{0x762, 0x00}, {0x763, 0x0B}}, "  FM channel 2: 88.10\n"},
        {"display text with fill inside", {{0x718, 'A'}, {0x71A, 'B'}},
         "  Display Character: 0x41FF42FFFFFF\n"},
        {"list value past its entries", {{0x704, 0x0C}}, "  Squelch Level: 0x0C\n"},
        {"two-bit list past its entries", {{0x707, 0xD0}}, "  Backlight Mode: 0x3\n"},
        {"header", {}, "header: standard\n"},
    };
    // clang-format on
    for (const Case& c : cases) {
        Bytes file = Example();
        for (const auto& [offset, value] : c.bytes)
            file[kDataFileHeaderSize + static_cast<std::size_t>(offset)] = value;
        const std::string text = ExportText(file);
        EXPECT_NE(text.find(c.line), std::string::npos) << c.what << "\n" << text;
        ExpectRoundTrip(file, c.what);
    }
    Bytes file = Example();
    file[20] = 0x00;
    EXPECT_NE(ExportText(file).find("header: 0x5A4E4F2D3750FFFFFFFF5630313030FFFFFFFFFF00FF"),
              std::string::npos);
}

TEST(ConfigText, NamesKeepEveryByte) {
    struct Case {
        Bytes name;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {{'A', 0x00, 'B', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "\"A\\x00B\""},
        {{'"', '\\', 0x0A, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "\"\\\"\\\\\\x0A\""},
        {{0xE4, 0xA0, 0x7F, 0x9B, 0xAD, 0xFE, 0xFF, 0xFF}, "\"ä\\xA0\\x7F\\x9B\\xADþ\""},
        {{'A', 0xFF, 'B', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "0x41FF42FFFFFFFFFF"},
        {{' ', ' ', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "\"  \""},
        {{'0', 'x', '1', '2', 0xFF, 0xFF, 0xFF, 0xFF}, "\"0x12\""},
        {{'L', 'A', 'S', 'T', '1', '2', '3', '4'}, "\"LAST1234\""},
    };
    for (const Case& c : cases) {
        Bytes file = Example();
        std::copy(c.name.begin(), c.name.end(), file.begin() + kDataFileHeaderSize + 0x800);
        const std::string text = ExportText(file);
        EXPECT_NE(text.find(std::string("Off, ") + c.shown + "]\n"), std::string::npos)
            << c.shown << "\n"
            << text.substr(0, 400);
        ExpectRoundTrip(file, c.shown);
    }
}

TEST(ConfigText, OneChangedValueChangesOnlyItsBytes) {
    struct Case {
        const char* from;
        const char* to;
        std::set<int> changed;  // image offsets
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"1: [145.12500", "1: [145.13750", {0x000, 0x001}},
        {"145.72500, 67.0, D023N, High", "145.72500, 67.0, D023N, Low", {0x00C}},
        {"67.0, D023N", "67.0, D025I", {0x00A, 0x00B}},
        {"\"CALL\"", "\"CALM\"", {0x803}},
        {"  Squelch Level: 5", "  Squelch Level: 8", {0x704}},
        {"  Beep: On", "  Beep: Off", {0x706}},
        {"  VOX Gain Level: 8", "  VOX Gain Level: 3", {0x708}},
        {"  FM channel 3: \"\"", "  FM channel 3: 88.1", {0x764, 0x765}},
        {"A Power Grades:\n  High Power Grades: 255", "A Power Grades:\n  High Power Grades: 200",
         {0x7F0}},
        {"  0x792: 00", "  0x792: 12", {0x792}},
        {"  0x706: 20", "  0x706: 00", {0x706}},
        {"  2: [", "  3: [145.50000, 145.50000, Off, Off, High, Off, On, wide, Off, \"S20\"]\n  20: [",
         {}},
    };
    // clang-format on
    const Bytes original = Example();
    const std::string text = ExportText(original);
    for (const Case& c : cases) {
        const auto back = ImportText(Edited(text, c.from, c.to), Language::English);
        if (std::string(c.to).find("  20: [") != std::string::npos) {
            // A channel moved to another number: its old record and name become empty.
            ASSERT_FALSE(back.ok);
            continue;
        }
        ASSERT_TRUE(back.ok) << c.to << ": " << back.problem;
        std::set<int> changed;
        for (std::size_t i = 0; i < kConfigSize; ++i)
            if (back.file[kDataFileHeaderSize + i] != original[kDataFileHeaderSize + i])
                changed.insert(static_cast<int>(i));
        EXPECT_EQ(changed, c.changed) << c.to;
    }
}

TEST(ConfigText, AnyYamlLayoutOfTheSameContentReadsTheSame) {
    const Bytes original = Example();
    std::string text = ExportText(original);
    text = Edited(text, "format: wavesmith-configuration\n", "");
    text = Edited(text, "  Beep: On\n", "  'Beep': \"On\"   # a comment\n");
    text = Edited(text,
                  "  1: [145.12500, 145.72500, 67.0, D023N, High, Carry, On, wide, Off, \"CALL\"]",
                  "  1:\n    - 145.125\n    - \"145.72500\"\n    - 67.0\n    - D023N\n    - high\n"
                  "    - Carry\n    - on\n    - WIDE\n    - Off\n    - CALL");
    text = Edited(text,
                  "VOX:\n  VOX Swith: Off\n  VOX Gain Level: 8\n  VOX Delay Time(s): 4 S\n"
                  "  Prohibit VOX in the receiving: Yes\n",
                  "VOX: {VOX Delay Time(s): 4 S, VOX Swith: Off,\n  VOX Gain Level: 8,\n"
                  "  Prohibit VOX in the receiving: Yes}\n");
    text += "format: wavesmith-configuration\n";
    const auto back = ImportText(text, Language::English);
    ASSERT_TRUE(back.ok) << back.line << ": " << back.problem;
    EXPECT_EQ(back.file, Bytes(original.begin(), original.begin() + kDataFileSize));
}

TEST(ConfigText, TheReaderRefusesWhatItCannotTakeWholeNamingTheLine) {
    struct Case {
        const char* from;
        const char* to;
        const char* expected;  // LINE: problem
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"\"CALL\"]", "\"CALL\"", "8: cannot be read as YAML: end of sequence flow not found"},
        {"format: wavesmith-configuration", "format: other",
         "2: not a configuration text: \"format\" must be wavesmith-configuration"},
        {"version: 1", "version: 2", "3: version 2 cannot be read (this program reads version 1)"},
        {"version: 1\n", "", "2: \"version\" is missing"},
        {"header: standard", "header: 0x00",
         "4: \"header\" must be standard, or 0x and 96 hex digits beginning with the model identifier"},
        {"header: standard", "header: [standard]", "4: header must be a single value"},
        {"bytes:", "colour: red\nbytes:", "118: unknown key \"colour\""},
        {"  Beep: On", "  Beeep: On", "26: unknown key \"Function Set / Beeep\""},
        {"  Beep: On\n", "  Beep: On\n  Beep: Off\n", "27: \"Beep\" is given twice"},
        {"  Squelch Level: 5\n", "", "24: \"Squelch Level\" is missing"},
        {"  3: [", "  01: [", "9: channel 1 is given twice"},
        {"  3: [", "  1: [", "9: \"1\" is given twice"},
        {"  128: [", "  129: [", "22: \"129\" is not a channel number 1 to 128"},
        {"  128: [", "  x: [", "22: \"x\" is not a channel number 1 to 128"},
        {", Carry, On, wide, Off, \"CALL\"]", ", Carry, On, wide, \"CALL\"]",
         "7: channel 1 has 9 values, not 10 (or one more for the flag bits)"},
        {"  1: [", "  1: {a: 1}\n  2x: [", "7: channel 1 must be a list of values in brackets"},
        {"D023N, High", "D023N, Highest", "7: channel 1: Power: \"Highest\" is not one of its values"},
        {"67.0, D023N", "67.1, D023N", "7: channel 1: QT/DQT Dec: \"67.1\" is not a tone of the tone list"},
        {"1: [145.12500", "1: [145.1x500", "7: channel 1: RXFreq: \"145.1x500\" is not a frequency"},
        {"1: [145.12500", "1: [1450.12500", "7: channel 1: RXFreq: \"1450.12500\" is not a frequency"},
        {"\"CALL\"", "\"CALLSIGN9\"",
         "7: channel 1: Channel Name: \"CALLSIGN9\" is longer than its 8 bytes"},
        {"\"CALL\"", "\"CA€\"",
         "7: channel 1: Channel Name: \"CA€\" holds a character the radio cannot store"},
        {"\"CALL\"", "0x43414C4C", "7: channel 1: Channel Name: \"0x43414C4C\" is not hex of this value"},
        {"  Squelch Level: 5", "  Squelch Level: 0x1FF",
         "36: Function Set / Squelch Level: \"0x1FF\" is not hex of this value"},
        {"  A Channel Number: \"\"", "  A Channel Number: 129",
         "45: Function Set / A Channel Number: \"129\" is not a number in its range"},
        {"  FM channel 1: \"\"", "  FM channel 1: 88.15",
         "84: FM Channel Set / FM channel 1: \"88.15\" is not an FM frequency from 87.0 to 108.0 MHz in steps of 0.1 MHz"},
        {"  FM channel 1: \"\"", "  FM channel 1: 108.1",
         "84: FM Channel Set / FM channel 1: \"108.1\" is not an FM frequency from 87.0 to 108.0 MHz in steps of 0.1 MHz"},
        {"  0x701: 01\n", "", "119: byte 0x701 is missing from bytes"},
        {"  0x706: 20", "  0x706: 21",
         "128: byte 0x706: only the bits 0x20 belong to bytes, the others to a value above"},
        {"  0x701: 01", "  0x700: 01 01", "127: byte 0x700 is held by a value above, not by bytes"},
        {"  0x701: 01", "  0x701: 1", "127: 0x701: \"1\" is not bytes of two hex digits with spaces between"},
        {"  0x701: 01", "  0x701: 01\n  0x0701: 01", "128: byte 0x701 is given twice"},
        {"  0x701: 01", "  0xC00: 01", "127: \"0xC00\" is not an address 0x0 to 0xBFF"},
    };
    // clang-format on
    const std::string text = ExportText(Example());
    for (const Case& c : cases) {
        const auto back = ImportText(Edited(text, c.from, c.to), Language::English);
        EXPECT_FALSE(back.ok) << c.expected;
        EXPECT_EQ(std::to_string(back.line) + ": " + back.problem, c.expected);
    }
    const auto deep = ImportText("a: " + std::string(5000, '['), Language::English);
    EXPECT_EQ(std::to_string(deep.line) + ": " + deep.problem,
              "1: cannot be read as YAML: nested too deeply");
    const auto empty = ImportText("", Language::Chinese);
    EXPECT_EQ(textconf::RefusalText("a.yaml", empty), "a.yaml:1: (document) 应为键和值的映射");
}

TEST(ConfigText, TheExampleOfTheFormatsPageIsWhatExportWrites) {
    const Bytes page = ReadFile(VAREL_DOCS "/text-format.md");
    const std::string text(page.begin(), page.end());
    const std::string start = "```yaml\n";
    const std::size_t from = text.rfind(start);
    ASSERT_NE(from, std::string::npos);
    const std::size_t end = text.find("```", from + start.size());
    EXPECT_EQ(text.substr(from + start.size(), end - from - start.size()), ExportText(Example()));
}

}  // namespace
}  // namespace varel::test
