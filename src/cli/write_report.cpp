#include "cli/write_report.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "checks/write_check.h"

namespace varel::cli {

namespace {

// Limit of VAREL_SETTLE_MS.
constexpr long kMaxSettleMs = 60000;

}  // namespace

int SettleMs() {
    const char* text = std::getenv("VAREL_SETTLE_MS");
    if (text == nullptr || *text == '\0') return link::kSettleMs;
    char* end = nullptr;
    const long ms = std::strtol(text, &end, 10);
    if (*end != '\0' || ms < 0 || ms > kMaxSettleMs) {
        std::cerr << "varel-cli: warning: VAREL_SETTLE_MS is no number of milliseconds from 0 to "
                  << kMaxSettleMs << "; waiting " << link::kSettleMs << " ms\n";
        return link::kSettleMs;
    }
    return static_cast<int>(ms);
}

std::string AddressText(int address) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%03X", static_cast<unsigned>(address));
    return text;
}

bool CheckAndWarn(const Configuration& cfg, bool strict) {
    const auto problems = CheckBeforeWrite(cfg);
    for (const WriteProblem& problem : problems)
        std::cerr << "varel-cli: warning: " << WriteProblemText(problem, Language::English) << "\n";
    if (problems.empty() || !strict) return true;
    std::cerr << "varel-cli: nothing was written: --strict and " << problems.size()
              << (problems.size() == 1 ? " problem" : " problems") << " found\n";
    return false;
}

std::string DifferCount(std::size_t differences) {
    return differences == 1 ? "1 block differs" : std::to_string(differences) + " blocks differ";
}

void PrintDifferences(const std::vector<link::BlockDifference>& differences) {
    for (const auto& difference : differences) {
        std::string holds;
        for (const std::string& part : difference.holds)
            holds += (holds.empty() ? "" : ", ") + part;
        std::cerr << "varel-cli: block " << AddressText(difference.address)
                  << " is not as written: " << holds << "\n";
    }
    std::cerr << "varel-cli: the radio does not hold what was written ("
              << DifferCount(differences.size()) << "); write again\n";
}

std::optional<std::string> BlocksSent(int step, const link::WriteOptions& options) {
    const std::vector<unsigned> schedule = link::WriteSchedule(options);
    std::size_t sent = 0;
    for (int s = 1; s < step; ++s)
        if (link::ScheduledBlock(s, options)) ++sent;
    if (sent == 0) return std::nullopt;
    return "blocks " + AddressText(static_cast<int>(schedule[0])) + " to " +
           AddressText(static_cast<int>(schedule[sent - 1])) + " (" + std::to_string(sent) +
           " of " + std::to_string(schedule.size()) + ")";
}

}  // namespace varel::cli
