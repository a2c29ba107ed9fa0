// varel-cli diff: the differences between two data files, one line per differing field.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "checks/config_diff.h"
#include "cli/cli_common.h"
#include "cli/verbs.h"
#include "files/data_file.h"
#include "image/memory_image.h"

namespace varel::cli {

namespace {

const char kDiffUsage[] =
    "usage: varel-cli diff [--lang en|zh] A.dat B.dat\n"
    "\n"
    "Compares two data files as the program's Open would show them and prints one line per\n"
    "differing field, channels first, then the settings in the order of 'varel-cli dump':\n"
    "\n"
    "  channel 5: RXFreq: 145.50000 -> 151.00000\n"
    "  Squelch Level: 5 -> 8\n"
    "\n"
    "A difference no shown field explains (a byte the program does not read, the record of an\n"
    "empty channel, two stored values shown alike) is printed as its byte, so that every\n"
    "differing byte of 0x000-0xBFF is reported:\n"
    "\n"
    "  byte 0x7C5: 0x00 -> 0x12\n"
    "\n"
    "Then the header bytes (0x00-0x2F, which the program does not read) that differ, and a\n"
    "difference in length:\n"
    "\n"
    "  header byte 0x2A: 0xFF -> 0x00\n"
    "  B is 12 bytes longer\n"
    "\n"
    "Only the first 3,120 bytes of a file are a configuration; for a longer one a warning says\n"
    "so.\n"
    "\n"
    "  --lang en|zh  texts in English (the default) or Chinese\n"
    "\n"
    "Exit codes: 0 the files are the same, 1 they differ (also only in the header or the\n"
    "length), 2 usage error or a file that cannot be read or is no data file (the message\n"
    "names it).\n";

// Loads one of the two files; false after saying why.
bool Load(const std::string& path, MemoryImage& image, DataFileShape& shape) {
    const DataFileResult result = LoadDataFile(path, image, PipeOpen::WaitForWriter, &shape);
    if (!result.ok()) {
        std::cerr << "varel-cli: " << DescribeFailure(path, result) << "\n";
        return false;
    }
    if (shape.longer()) WarnLonger(path);
    return true;
}

std::string HexText(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

// What the two files hold apart from the configuration: header bytes, and their lengths.
std::vector<std::string> DiffShapes(const DataFileShape& a, const DataFileShape& b, Language lang) {
    static const Bilingual headerLine{"header byte %1: %2 -> %3", "文件头字节 %1: %2 -> %3"};
    static const Bilingual longerLine{"%1 is %2 bytes longer", "%1 比另一个文件长 %2 字节"};
    static const Bilingual oneByteLonger{"%1 is 1 byte longer", "%1 比另一个文件长 1 字节"};
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < a.header.size() && i < b.header.size(); ++i) {
        if (a.header[i] == b.header[i]) continue;
        lines.push_back(
            headerLine.format(lang, {HexText(static_cast<unsigned>(i), 2), HexText(a.header[i], 2),
                                     HexText(b.header[i], 2)}));
    }
    if (a.length != b.length) {
        const std::uint64_t more = a.length > b.length ? a.length - b.length : b.length - a.length;
        const std::string which = a.length > b.length ? "A" : "B";
        lines.push_back(more == 1 ? oneByteLonger.format(lang, {which})
                                  : longerLine.format(lang, {which, std::to_string(more)}));
    }
    return lines;
}

}  // namespace

int RunDiff(const Args& args) {
    ParsedArgs parsed;
    std::string error;
    if (!ParseArgs(args, {{"--lang", true}}, parsed, error)) return UsageError(kDiffUsage, error);
    if (parsed.help) return PrintHelp(kDiffUsage);
    Language lang = Language::English;
    if (!LanguageOption(parsed, lang, error)) return UsageError(kDiffUsage, error);
    if (parsed.positional.size() != 2) return UsageError(kDiffUsage, "diff takes two data files");

    MemoryImage a;
    MemoryImage b;
    DataFileShape shapeA;
    DataFileShape shapeB;
    if (!Load(parsed.positional[0], a, shapeA) || !Load(parsed.positional[1], b, shapeB))
        return kUsage;
    auto lines = DiffConfigurations(a, b, lang);
    for (std::string& line : DiffShapes(shapeA, shapeB, lang)) lines.push_back(std::move(line));
    for (const std::string& line : lines) std::cout << line << '\n';
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "varel-cli: cannot write the differences\n";
        return kUsage;
    }
    return lines.empty() ? kOk : kDifferent;
}

}  // namespace varel::cli
