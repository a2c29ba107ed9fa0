// varel-cli export-csv: writes the channels of a data file as a CSV channel list.
#include <iostream>
#include <string>

#include "cli/cli_common.h"
#include "cli/verbs.h"
#include "image/image_codec.h"
#include "lists/channel_csv.h"

namespace varel::cli {

namespace {

const char kExportUsage[] =
    "usage: varel-cli export-csv IN.dat OUT.csv\n"
    "\n"
    "Opens IN.dat as 'normalize' does and writes one row per existing channel to OUT.csv in the\n"
    "21-column CSV channel list format (UTF-8, LF line ends). Busy Lock has no column and is\n"
    "not written. What the list cannot carry is reported on standard error, one line per\n"
    "channel. OUT.csv is replaced only when the whole file was written.\n"
    "\n"
    "Exit codes: 0 ok, 1 file error, 2 usage, 6 some channels left out (a frequency that is\n"
    "not a frequency).\n";

}  // namespace

int RunExportCsv(const Args& args) {
    ParsedArgs parsed;
    std::string error;
    if (!ParseArgs(args, {}, parsed, error)) return UsageError(kExportUsage, error);
    if (parsed.help) return PrintHelp(kExportUsage);
    if (parsed.positional.size() != 2)
        return UsageError(kExportUsage, "export-csv takes a data file and a CSV file");

    Configuration cfg;
    if (!OpenConfiguration(parsed.positional[0], cfg, error)) return Fail(error);
    const CsvExport list = ExportChannelCsv(cfg.channels);
    std::cerr << CsvReportText(list, Language::English);
    const std::string& out = parsed.positional[1];
    const DataFileResult saved = SaveChannelCsv(out, list.text);
    if (!saved.ok()) return Fail(DescribeFailure(out, saved));
    return list.leftOut() ? kRowsSkipped : kOk;
}

}  // namespace varel::cli
