#include "cli/cli_common.h"

#include <ctime>
#include <iostream>

#include "checks/write_check.h"
#include "files/data_file.h"
#include "image/memory_image.h"

namespace varel::cli {

namespace {

const CliOption* FindOption(const std::vector<CliOption>& accepted, const std::string& name) {
    for (const auto& option : accepted)
        if (option.name == name) return &option;
    return nullptr;
}

}  // namespace

bool ParseArgs(const Args& args, const std::vector<CliOption>& accepted, ParsedArgs& parsed,
               std::string& error) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
            continue;
        }
        const std::size_t eq = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
        const std::string name = arg.substr(0, eq);
        if (name == "--help") {
            error = "option '--help' takes no value";
            return false;
        }
        const CliOption* option = FindOption(accepted, name);
        if (option == nullptr) {
            error = "unknown option '" + name + "'";
            return false;
        }
        if (!option->takesValue) {
            if (eq != std::string::npos) {
                error = "option '" + name + "' takes no value";
                return false;
            }
            parsed.options[name] = "";
        } else if (eq != std::string::npos) {
            parsed.options[name] = arg.substr(eq + 1);
            parsed.values[name].push_back(parsed.options[name]);
        } else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
            parsed.options[name] = args[++i];
            parsed.values[name].push_back(parsed.options[name]);
        } else {  // missing, or the next option follows at once
            error = "option '" + name + "' needs a value";
            return false;
        }
    }
    return true;
}

bool BandOption(const ParsedArgs& parsed, int& band, std::string& problem) {
    band = -1;
    if (!parsed.has("--band")) return true;
    const std::string& text = parsed.options.at("--band");
    if (text != "0" && text != "1" && text != "2") {
        problem = "--band needs 0, 1 or 2, not '" + text + "'";
        return false;
    }
    band = text[0] - '0';
    return true;
}

bool LanguageOption(const ParsedArgs& parsed, Language& lang, std::string& problem) {
    lang = Language::English;
    if (!parsed.has("--lang")) return true;
    const std::string& code = parsed.options.at("--lang");
    if (code == "zh") {
        lang = Language::Chinese;
        return true;
    }
    if (code == "en") return true;
    problem = "--lang takes en or zh, not '" + code + "'";
    return false;
}

bool BackUp(const ParsedArgs& parsed, const MemoryImage& image, BackupKind kind) {
    if (parsed.has("--no-backup")) return false;
    const BackupResult backup = SaveBackup(image, kind, BackupFolder(), std::time(nullptr));
    if (backup.result.ok()) return true;
    std::cerr << "varel-cli: warning: no backup was saved: "
              << DescribeFailure(backup.path.empty() ? "(no home folder)" : backup.path,
                                 backup.result)
              << "\n";
    return false;
}

void WarnDoubtfulValues(const MemoryImage& image) {
    Configuration cfg;
    DecodeImage(image, cfg, Language::English);
    for (const WriteProblem& problem : CheckValues(cfg.channels, cfg.settings))
        std::cerr << "varel-cli: warning: " << WriteProblemText(problem, Language::English) << "\n";
}

void WarnLonger(const std::string& path) {
    std::cerr << "varel-cli: warning: " << path << ": "
              << MessageText(Message::FileLonger, Language::English) << "\n";
}

std::string DescribeFailure(const std::string& path, const DataFileResult& result) {
    std::string line = path + ": " + DataFileMessage(result.error, Language::English);
    const std::string reason = ReasonText(result, Language::English);
    if (!reason.empty()) line += " (" + reason + ")";
    return line;
}

int PrintHelp(const char* usage) {
    std::cout << usage;
    return kOk;
}

int UsageError(const char* usage, const std::string& problem) {
    if (!problem.empty()) std::cerr << "varel-cli: " << problem << "\n";
    std::cerr << usage;
    return kUsage;
}

int Fail(const std::string& message) {
    std::cerr << "varel-cli: " << message << "\n";
    return kFailure;
}

bool OpenConfiguration(const std::string& path, Configuration& cfg, std::string& error,
                       Language lang) {
    MemoryImage in;
    DataFileShape shape;
    const DataFileResult result = LoadDataFile(path, in, PipeOpen::WaitForWriter, &shape);
    if (!result.ok()) {
        error = DescribeFailure(path, result);
        return false;
    }
    if (shape.longer()) WarnLonger(path);
    DecodeImage(in, cfg, lang);
    return true;
}

bool SaveConfiguration(const std::string& path, const Configuration& cfg, std::string& error) {
    MemoryImage out;
    EncodeImage(cfg, out);
    const DataFileResult result = SaveDataFile(path, out);
    if (!result.ok()) {
        error = DescribeFailure(path, result);
        return false;
    }
    return true;
}

}  // namespace varel::cli
