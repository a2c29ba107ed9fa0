// varel-cli: the configuration tool's codec and radio link on the command line.
#include <cstring>
#include <iostream>

#include "cli/verbs.h"

namespace {

const char kUsageText[] =
    "usage: varel-cli VERB [OPTIONS] ...\n"
    "\n"
    "verbs:\n"
    "  normalize IN.dat OUT.dat   open a data file as the program does and save it again\n"
    "  dump [--lang en|zh] [--all] FILE.dat\n"
    "                             list the channels and every setting of a data file\n"
    "  diff [--lang en|zh] A.dat B.dat\n"
    "                             list the fields in which two data files differ\n"
    "  read --port PORT [--no-backup] OUT.dat\n"
    "                             read the radio's memory into a data file (and a backup)\n"
    "  write --port PORT [--port PORT ...] [--display PORT=TEXT ...] [--band N]\n"
    "        [--debug-mode] [--force-write] [--strict] [--verify] [--no-backup] IN.dat\n"
    "                             check a data file, back it up and write it to the radio\n"
    "                             (to several at once); --verify reads it back and compares\n"
    "  export-csv IN.dat OUT.csv  write the channels as a CSV channel list\n"
    "  import-csv [--band N] IN.dat LIST.csv OUT.dat\n"
    "                             apply a CSV channel list and save the result\n"
    "  export-text IN.dat [OUT.yaml]\n"
    "                             write a data file as a configuration text (YAML)\n"
    "  import-text [--lang en|zh] IN.yaml OUT.dat\n"
    "                             save the data file a configuration text describes\n"
    "  print [--lang en|zh] [--card] [--paper a4|letter] IN.dat OUT.pdf\n"
    "                             put the channels and settings (or a pocket card) on paper\n"
    "  doctor [--port PORT] [--lang en|zh]\n"
    "                             find out why the radio does not answer\n"
    "\n"
    "Backups of every read and written image are kept in\n"
    "$XDG_DATA_HOME/Varel/Wavesmith/backups (default ~/.local/share/Varel/Wavesmith/backups).\n"
    "\n"
    "'varel-cli VERB --help' describes one verb; 'varel-cli --version' prints the version.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << kUsageText;
        return varel::cli::kUsage;
    }
    const std::string verb = argv[1];
    const varel::cli::Args args(argv + 2, argv + argc);
    if (verb == "--help" || verb == "-h" || verb == "help") {
        std::cout << kUsageText;
        return varel::cli::kOk;
    }
    if (verb == "--version") {
        std::cout << "varel-cli (Wavesmith) " VAREL_VERSION "\n";
        return varel::cli::kOk;
    }
    if (verb.rfind("--help=", 0) == 0) {
        std::cerr << "varel-cli: option '--help' takes no value\n" << kUsageText;
        return varel::cli::kUsage;
    }
    if (verb == "normalize") return varel::cli::RunNormalize(args);
    if (verb == "dump") return varel::cli::RunDump(args);
    if (verb == "diff") return varel::cli::RunDiff(args);
    if (verb == "read") return varel::cli::RunRead(args);
    if (verb == "write") return varel::cli::RunWrite(args);
    if (verb == "export-csv") return varel::cli::RunExportCsv(args);
    if (verb == "import-csv") return varel::cli::RunImportCsv(args);
    if (verb == "export-text") return varel::cli::RunExportText(args);
    if (verb == "import-text") return varel::cli::RunImportText(args);
    if (verb == "doctor") return varel::cli::RunDoctor(args);
    if (verb == "print") return varel::cli::RunPrint(args);
    std::cerr << "varel-cli: unknown verb '" << verb << "'\n" << kUsageText;
    return varel::cli::kUsage;
}
