// varel-cli export-text and import-text: a data file as a configuration text and back.
#include <iostream>
#include <string>

#include "cli/cli_common.h"
#include "cli/verbs.h"
#include "files/data_file.h"
#include "files/file_io.h"
#include "textconf/text_file.h"
#include "textconf/text_reader.h"
#include "textconf/text_writer.h"

namespace varel::cli {

namespace {

const char kExportTextUsage[] =
    "usage: varel-cli export-text IN.dat [OUT.yaml]\n"
    "\n"
    "Writes the data file IN.dat as a configuration text (docs/text-format.md): every channel\n"
    "on one line, every setting by its name, and every byte no value shows as hex, so that\n"
    "import-text gives back the same 3,120 bytes. Without OUT.yaml, or with '-', the text goes\n"
    "to standard output; '-' as IN.dat reads standard input. Bytes past the first 3,120 are not\n"
    "part of a configuration and are left out, with a warning. OUT.yaml is replaced only when\n"
    "the whole file was written.\n"
    "\n"
    "Exit codes: 0 ok, 1 file error, 2 usage.\n";

const char kImportTextUsage[] =
    "usage: varel-cli import-text [--lang en|zh] IN.yaml OUT.dat\n"
    "\n"
    "Reads a configuration text and saves the data file it describes; '-' reads standard input\n"
    "or writes standard output. Each value writes only its own bits, so a changed value changes\n"
    "only its bytes. A text that cannot be read whole is refused with 'IN.yaml:LINE: reason'\n"
    "(in the language of --lang, English by default) and nothing is saved. Values the program\n"
    "would flag (digits A-F in a frequency, a frequency outside the band ...) are kept as\n"
    "written and printed as warnings.\n"
    "\n"
    "Exit codes: 0 ok, 1 file error or refused text, 2 usage.\n";

std::string InputPath(const std::string& name) {
    return name == "-" ? "/dev/stdin" : name;
}

bool WriteStandardOutput(const std::string& bytes) {
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::cout.flush();
    return static_cast<bool>(std::cout);
}

}  // namespace

int RunExportText(const Args& args) {
    ParsedArgs parsed;
    std::string error;
    if (!ParseArgs(args, {}, parsed, error)) return UsageError(kExportTextUsage, error);
    if (parsed.help) return PrintHelp(kExportTextUsage);
    const auto& names = parsed.positional;
    if (names.empty() || names.size() > 2)
        return UsageError(kExportTextUsage,
                          "export-text takes a data file and an optional text file");
    if (names[0].empty() || (names.size() == 2 && names[1].empty()))
        return UsageError(kExportTextUsage, "a file name is empty");

    MemoryImage image;
    DataFileShape shape;
    const DataFileResult loaded =
        LoadDataFile(InputPath(names[0]), image, PipeOpen::WaitForWriter, &shape);
    if (!loaded.ok()) return Fail(DescribeFailure(names[0], loaded));
    if (shape.longer())
        std::cerr << "varel-cli: warning: " << names[0]
                  << ": the bytes past the first 3,120 are not part of a configuration and were "
                     "left out of the text\n";
    const std::string text = textconf::ExportText(textconf::DataFileBytes(image, shape.header));
    if (names.size() < 2 || names[1] == "-")
        return WriteStandardOutput(text) ? kOk : Fail("cannot write to standard output");
    const DataFileResult saved = textconf::SaveConfigText(names[1], text);
    return saved.ok() ? kOk : Fail(DescribeFailure(names[1], saved));
}

int RunImportText(const Args& args) {
    ParsedArgs parsed;
    std::string error;
    if (!ParseArgs(args, {{"--lang", true}}, parsed, error))
        return UsageError(kImportTextUsage, error);
    if (parsed.help) return PrintHelp(kImportTextUsage);
    Language lang = Language::English;
    if (!LanguageOption(parsed, lang, error)) return UsageError(kImportTextUsage, error);
    const auto& names = parsed.positional;
    if (names.size() != 2)
        return UsageError(kImportTextUsage, "import-text takes a text file and a data file");
    if (names[0].empty() || names[1].empty())
        return UsageError(kImportTextUsage, "a file name is empty");

    std::string text;
    const DataFileResult loaded =
        textconf::LoadConfigText(InputPath(names[0]), text, PipeOpen::WaitForWriter);
    if (!loaded.ok()) return Fail(DescribeFailure(names[0], loaded));
    const textconf::TextImport result = textconf::ImportText(text, lang);
    if (!result.ok) {
        std::cerr << textconf::RefusalText(names[0], result) << "\n";
        return kFailure;
    }
    if (names[1] == "-") {
        if (!WriteStandardOutput(std::string(result.file.begin(), result.file.end())))
            return Fail("cannot write to standard output");
    } else {
        const DataFileResult saved = ReplaceFile(names[1], result.file);
        if (!saved.ok()) return Fail(DescribeFailure(names[1], saved));
    }
    MemoryImage image;
    ParseDataFile(result.file, image);
    WarnDoubtfulValues(image);
    return kOk;
}

}  // namespace varel::cli
