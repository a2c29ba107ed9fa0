// varel-cli import-csv: applies a CSV channel list to a data file and saves the result.
#include <iostream>
#include <string>

#include "cli/cli_common.h"
#include "cli/verbs.h"
#include "image/channel_table.h"
#include "image/frequency_band.h"
#include "image/image_codec.h"
#include "lists/channel_csv.h"

namespace varel::cli {

namespace {

const char kImportUsage[] =
    "usage: varel-cli import-csv [--band N] IN.dat LIST.csv OUT.dat\n"
    "\n"
    "Opens IN.dat as 'normalize' does, applies the channel list LIST.csv (21-column CSV\n"
    "format, columns in any order, Location and Frequency required) as the channel editor\n"
    "would in Chinese, and saves the result to OUT.dat. Each row replaces the channel it\n"
    "names; other channels stay as they are; Busy Lock stays as the channel had it. A row\n"
    "that cannot be taken exactly (bad number, out of band, unknown tone, Location outside\n"
    "1 to 128, duplicate Location) is skipped. Every skipped or changed row is reported on\n"
    "standard error as 'line N: column: reason'; a column the header lacks that rows needed\n"
    "is named with the value they took and their channels ('cToneFreq missing: channels 36,\n"
    "40, 44 took 88.5'); then the counts. OUT.dat is replaced only\n"
    "when the whole file was written; it is not written when LIST.csv is refused.\n"
    "\n"
    "  --band N  set the band selector to N (0, 1 or 2): the rows are checked against it\n"
    "            and OUT.dat carries it\n"
    "\n"
    "Exit codes: 0 every row taken, 1 file error or malformed list, 2 usage, 6 some rows\n"
    "skipped.\n";

}  // namespace

int RunImportCsv(const Args& args) {
    ParsedArgs parsed;
    std::string error;
    if (!ParseArgs(args, {{"--band", true}}, parsed, error)) return UsageError(kImportUsage, error);
    if (parsed.help) return PrintHelp(kImportUsage);
    int band = -1;
    if (!BandOption(parsed, band, error)) return UsageError(kImportUsage, error);
    if (parsed.positional.size() != 3)
        return UsageError(kImportUsage, "import-csv takes a data file, a CSV file and an output");
    const std::string& listPath = parsed.positional[1];

    Configuration cfg;
    if (!OpenConfiguration(parsed.positional[0], cfg, error)) return Fail(error);
    if (band >= 0) cfg.settings.setBand(band);
    std::string text;
    const DataFileResult loaded = LoadChannelCsv(listPath, text, PipeOpen::WaitForWriter);
    if (!loaded.ok()) return Fail(DescribeFailure(listPath, loaded));

    ChannelTable table;
    table.model() = cfg.channels;
    table.SetGrid();
    const Language lang = Language::Chinese;
    const CsvImport result = ImportChannelCsv(
        text, table, BandBounds(cfg.settings.band()).value_or(FrequencyBand{}), lang);
    std::cerr << CsvReportText(result, Language::English);
    if (result.refused) return Fail(listPath + ": nothing imported");

    cfg.channels = table.model();
    if (!SaveConfiguration(parsed.positional[2], cfg, error)) return Fail(error);
    return result.skipped > 0 ? kRowsSkipped : kOk;
}

}  // namespace varel::cli
