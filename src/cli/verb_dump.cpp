// varel-cli dump: lists what a data file gives the editors: the channel table as the grid shows
// it, every setting with its caption, the band, the FM broadcast channels and the power tuning
// values, in English or Chinese.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "checks/config_text.h"
#include "checks/settings_listing.h"
#include "cli/cli_common.h"
#include "cli/verbs.h"
#include "image/channel_columns.h"
#include "image/channel_model.h"
#include "image/image_codec.h"
#include "image/latin1.h"
#include "image/settings_model.h"

namespace varel::cli {

namespace {

const char kDumpUsage[] =
    "usage: varel-cli dump [--lang en|zh] [--all] FILE.dat\n"
    "\n"
    "Opens FILE.dat as the program's Open command does right after start and lists the\n"
    "channel table, every optional feature, the band, the FM broadcast channels and the\n"
    "power tuning values.\n"
    "\n"
    "  --lang en|zh  texts in English (the default) or Chinese\n"
    "  --all         list the empty channels too\n";

// Terminal columns of a code point: East Asian wide and full-width characters take two.
int CodePointWidth(char32_t cp) {
    const bool wide = (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0x303E) ||
                      (cp >= 0x3041 && cp <= 0x33FF) || (cp >= 0x3400 && cp <= 0x4DBF) ||
                      (cp >= 0x4E00 && cp <= 0x9FFF) || (cp >= 0xA000 && cp <= 0xA4CF) ||
                      (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
                      (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
                      (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x20000 && cp <= 0x3FFFD);
    return wide ? 2 : 1;
}

int DisplayWidth(const std::string& text) {
    int width = 0;
    for (char32_t cp : CodePoints(text)) width += CodePointWidth(cp);
    return width;
}

std::string Padded(const std::string& text, int width) {
    const int pad = width - DisplayWidth(text);
    return pad > 0 ? text + std::string(static_cast<std::size_t>(pad), ' ') : text;
}

// Rows of cells printed with every column as wide as its widest cell, two blanks apart.
void PrintTable(std::ostream& out, const std::vector<std::vector<std::string>>& rows,
                const std::string& indent) {
    std::vector<int> widths;
    for (const auto& row : rows) {
        if (widths.size() < row.size()) widths.resize(row.size(), 0);
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    for (const auto& row : rows) {
        std::string line = indent;
        for (std::size_t c = 0; c < row.size(); ++c)
            line += c + 1 < row.size() ? Padded(row[c], widths[c] + 2) : row[c];
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out << line << '\n';
    }
}

void PrintChannels(std::ostream& out, const ChannelModel& channels, Language lang, bool all) {
    out << ChannelWindowTitle().in(lang) << '\n';
    std::vector<std::vector<std::string>> rows(1);
    for (const ChannelColumn& column : ChannelColumns()) rows[0].push_back(column.header.in(lang));
    for (int n = 1; n <= static_cast<int>(kChannelCount); ++n) {
        const Channel& ch = channels.channel(n);
        if (!ch.exists() && !all) continue;
        std::vector<std::string> row = {std::to_string(n), ch.freq[0], ch.freq[1]};
        for (int column = kFirstListColumn; column <= kLastListColumn; ++column)
            row.push_back(ch.text(column));
        row.push_back(ch.name);
        for (auto& cell : row) cell = PrintableText(cell);
        rows.push_back(row);
    }
    PrintTable(out, rows, "");
}

void PrintSettings(std::ostream& out, const SettingsModel& settings, Language lang) {
    for (const ListedWindow& window : ListSettings(settings, lang)) {
        // Captions aligned across the window.
        int captionWidth = 0;
        for (const ListedSection& section : window.sections)
            for (const ListedValue& v : section.values)
                captionWidth = std::max(captionWidth, DisplayWidth(v.caption));
        out << '\n';
        if (!window.title.empty()) out << window.title << '\n';
        for (const ListedSection& section : window.sections) {
            if (!section.caption.empty()) out << section.caption << '\n';
            for (const ListedValue& v : section.values) {
                std::string line = "  " + Padded(v.caption, captionWidth + 2) + v.value;
                while (!line.empty() && line.back() == ' ') line.pop_back();
                out << line << '\n';
            }
        }
        if (!window.fmChannels.empty()) PrintTable(out, window.fmChannels, "  ");
    }
}

}  // namespace

int RunDump(const Args& args) {
    ParsedArgs parsed;
    std::string error;
    if (!ParseArgs(args, {{"--lang", true}, {"--all", false}}, parsed, error))
        return UsageError(kDumpUsage, error);
    if (parsed.help) return PrintHelp(kDumpUsage);
    if (parsed.positional.size() != 1) return UsageError(kDumpUsage, "dump takes one data file");
    Language lang = Language::English;
    if (!LanguageOption(parsed, lang, error)) return UsageError(kDumpUsage, error);

    Configuration cfg;
    if (!OpenConfiguration(parsed.positional[0], cfg, error, lang)) return Fail(error);
    PrintChannels(std::cout, cfg.channels, lang, parsed.has("--all"));
    PrintSettings(std::cout, cfg.settings, lang);
    std::cout.flush();
    return std::cout ? kOk : Fail("cannot write the listing");
}

}  // namespace varel::cli
