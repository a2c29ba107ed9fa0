// varel-sim: a virtual radio on a pseudo-terminal, for trying and testing the radio link.
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "files/file_io.h"
#include "link/frames.h"
#include "sim/paced_line.h"
#include "sim/pty.h"
#include "sim/radio_memory.h"
#include "sim/radio_protocol.h"
#include "sim/trace_replay.h"

namespace {

const std::string kDefaultModel(varel::link::kModelId.begin(), varel::link::kModelId.end());
const std::string kModelLength = std::to_string(varel::link::kModelId.size());
const std::string kReadBlocks = std::to_string(varel::link::kBlockCount);
// A write leaves out two blocks and, unless in debug mode, sends bare acknowledges in place of
// the two power tuning blocks.
const std::string kWriteDataFrames = std::to_string(varel::link::kBlockCount - 2);
const std::string kStrayBlock = std::to_string(varel::sim::kStrayAfterBlock);

// clang-format off
const std::string kUsage =
    "usage: varel-sim [OPTIONS]\n"
    "\n"
    "A virtual radio. It opens a pseudo-terminal, prints the device the programming tool\n"
    "should open as the first line of standard output, and answers the tool's reads and\n"
    "writes until it is interrupted (SIGINT or SIGTERM).\n"
    "\n"
    "options:\n"
    "  --device PATH     serve an existing character device instead of a new pseudo-terminal\n"
    "  --memory FILE     start with the memory of a data file (default: a built-in sample)\n"
    "  --save            write the memory back to the --memory file after each completed write\n"
    "  --model TEXT      the " + kModelLength + "-character model of the identification"
                         " (default " + kDefaultModel + ")\n"
    "  --band N          the band digit of the identification, 0 to 15 (default 0)\n"
    "  --pace            take 9600 bit/s wire time for every byte received and sent\n"
    "  --latency MS      wait MS milliseconds before each reply\n"
    "  --silent          never answer\n"
    "  --stop-after N    stop answering after N blocks of a transfer (a read has " + kReadBlocks +
                         " blocks,\n"
    "                    a write " + kWriteDataFrames + " frames that carry data, " + kReadBlocks +
                         " in debug mode)\n"
    "  --garbage         send one stray byte after the reply to the " + kStrayBlock + "th block\n"
    "  --split-ident     send the identification in two writes, 3 bytes then the rest\n"
    "  --long-ident      send the identification with a 9th byte\n"
    "  --glued-ack       send every acknowledge with one more byte\n"
    "  --exit-after N    close the line and exit after N blocks (an unplugged cable); 0 closes\n"
    "                    it on the wake-up frame, before the first reply\n"
    "  --corrupt-write ADDR\n"
    "                    store the byte at image offset ADDR (decimal, or hex as 0x5A; 0 to\n"
    "                    0xC00) inverted (XOR 0xFF) whenever a write block carries it, so\n"
    "                    that reading it back shows a difference\n"
    "  --replay FILE     answer as the radio of a transfer trace did (varel-cli --trace, or\n"
    "                    last-transfer.trace in the backup folder): each recorded reply, with\n"
    "                    its delay, once the program has sent the bytes recorded before it;\n"
    "                    a radio silent in the trace stays silent there. A program that sends\n"
    "                    something else is told on standard error and gets no more answers;\n"
    "                    the replay starts again once the trace is used up, or after 1 s of\n"
    "                    quiet. Not with --memory, --save, the identification or the faults\n"
    "  -v, --verbose     log every frame to standard error, with the milliseconds since start\n"
    "  -h, --help        show this text\n"
    "  --version         print the version\n";
// clang-format on

/// Gap between the pieces of a reply sent in parts.
constexpr std::int64_t kPieceGapNs = 20000000LL;

/// A session that saw no byte for this long is forgotten (the tool has given up on it).
constexpr std::int64_t kSessionIdleNs = 1000000000LL;

volatile sig_atomic_t g_stop = 0;

void OnSignal(int) {
    g_stop = 1;
}

struct Settings {
    varel::sim::RadioOptions radio;
    std::string device;
    std::string memoryFile;
    bool save = false;
    bool pace = false;
    int latencyMs = 0;
    bool verbose = false;
    std::string replayFile;
    std::string radioOption;  // the last option that shapes the simulated radio
};

/// The largest trace file read (a whole read with its pieces is about 20 KiB).
constexpr std::size_t kMaxTraceBytes = 16 * 1024 * 1024;

// Options that describe the simulated radio, which a replay takes from its trace.
bool IsRadioOption(const std::string& arg) {
    for (const char* name :
         {"--memory", "--save", "--model", "--band", "--silent", "--stop-after", "--garbage",
          "--split-ident", "--long-ident", "--glued-ack", "--exit-after", "--corrupt-write"})
        if (arg == name) return true;
    return false;
}

// Reads and checks the trace of --replay; false with the reason in problem.
bool LoadTrace(const std::string& path, varel::link::Trace& trace, std::string& problem) {
    std::vector<std::uint8_t> bytes;
    const varel::DataFileResult read =
        varel::ReadFilePrefix(path, kMaxTraceBytes + 1, bytes, varel::PipeOpen::WaitForWriter);
    if (!read.ok()) {
        const std::string reason = varel::ReasonText(read, varel::Language::English);
        problem = varel::DataFileMessage(read.error, varel::Language::English) +
                  (reason.empty() ? "" : " (" + reason + ")");
        return false;
    }
    if (bytes.size() > kMaxTraceBytes) {
        problem = "longer than any trace of this program";
        return false;
    }
    return varel::link::ParseTrace(std::string(bytes.begin(), bytes.end()), trace, problem);
}

// A number in decimal or, after "0x", in hexadecimal.
bool ReadOffset(const std::string& text, int high, int& value) {
    const bool hex =
        text.size() > 2 && (text.compare(0, 2, "0x") == 0 || text.compare(0, 2, "0X") == 0);
    const std::string digits = hex ? text.substr(2) : text;
    if (digits.empty() || digits.size() > 6) return false;
    for (char c : digits)
        if (!(c >= '0' && c <= '9') && !(hex && std::isxdigit(static_cast<unsigned char>(c))))
            return false;
    value = static_cast<int>(std::strtol(digits.c_str(), nullptr, hex ? 16 : 10));
    return value <= high;
}

bool ReadInt(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    value = std::atoi(text.c_str());
    return value >= low && value <= high;
}

int Usage(const std::string& problem) {
    std::cerr << "varel-sim: " << problem << "\n" << kUsage;
    return 2;
}

// Returns -1 when the program should go on, otherwise the exit code.
int ParseArgs(int argc, char** argv, Settings& s) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        std::string text;
        if (IsRadioOption(arg)) s.radioOption = arg;
        if (arg == "-h" || arg == "--help") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--version") {
            std::cout << "varel-sim (Wavesmith) " VAREL_VERSION "\n";
            return 0;
        } else if (arg == "-v" || arg == "--verbose") {
            s.verbose = true;
        } else if (arg == "--save") {
            s.save = true;
        } else if (arg == "--pace") {
            s.pace = true;
        } else if (arg == "--silent") {
            s.radio.silent = true;
        } else if (arg == "--garbage") {
            s.radio.garbage = true;
        } else if (arg == "--split-ident") {
            s.radio.splitIdent = true;
        } else if (arg == "--long-ident") {
            s.radio.longIdent = true;
        } else if (arg == "--glued-ack") {
            s.radio.gluedAck = true;
        } else if (arg == "--device") {
            if (!value(s.device) || s.device.empty()) return Usage("--device needs a path");
        } else if (arg == "--replay") {
            if (!value(s.replayFile) || s.replayFile.empty()) return Usage("--replay needs a file");
        } else if (arg == "--memory") {
            if (!value(s.memoryFile) || s.memoryFile.empty()) return Usage("--memory needs a file");
        } else if (arg == "--model") {
            if (!value(text) || text.size() != varel::link::kModelId.size())
                return Usage("--model needs exactly " + kModelLength + " characters");
            s.radio.model = text;
        } else if (arg == "--band") {
            if (!value(text) || !ReadInt(text, 0, 15, s.radio.band))
                return Usage("--band needs a number from 0 to 15");
        } else if (arg == "--latency") {
            if (!value(text) || !ReadInt(text, 0, 60000, s.latencyMs))
                return Usage("--latency needs milliseconds from 0 to 60000");
        } else if (arg == "--stop-after") {
            if (!value(text) || !ReadInt(text, 0, 1000000, s.radio.stopAfter))
                return Usage("--stop-after needs a number of blocks");
        } else if (arg == "--corrupt-write") {
            if (!value(text) ||
                !ReadOffset(text, static_cast<int>(varel::kSpareByte), s.radio.corruptWrite))
                return Usage("--corrupt-write needs an image offset from 0 to 0xC00");
        } else if (arg == "--exit-after") {
            if (!value(text) || !ReadInt(text, 0, 1000000, s.radio.exitAfter))
                return Usage("--exit-after needs a number of blocks");
        } else {
            return Usage("unknown argument '" + arg + "'");
        }
    }
    if (s.save && s.memoryFile.empty()) return Usage("--save needs --memory FILE");
    if (!s.replayFile.empty() && !s.radioOption.empty())
        return Usage("--replay answers as the trace's radio did and takes no " + s.radioOption);
    return -1;
}

const std::int64_t g_startNs = varel::sim::NowNs();

// Verbose log lines carry the time since start in milliseconds.
void Log(const Settings& s, const std::string& line) {
    if (!s.verbose) return;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%10.3f ms ", (varel::sim::NowNs() - g_startNs) / 1e6);
    std::cerr << "varel-sim: " << stamp << line << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace varel::sim;
    Settings settings;
    const int parsed = ParseArgs(argc, argv, settings);
    if (parsed >= 0) return parsed;

    RadioMemory memory(SampleImage());
    if (!settings.memoryFile.empty()) {
        const auto result = memory.load(settings.memoryFile);
        if (!result.ok()) {
            const std::string reason = ReasonText(result, varel::Language::English);
            std::cerr << "varel-sim: " << settings.memoryFile << ": "
                      << varel::DataFileMessage(result.error, varel::Language::English)
                      << (reason.empty() ? "" : " (" + reason + ")") << "\n";
            return 1;
        }
    }

    std::unique_ptr<TraceReplay> replay;
    if (!settings.replayFile.empty()) {
        varel::link::Trace trace;
        std::string problem;
        if (!LoadTrace(settings.replayFile, trace, problem)) {
            std::cerr << "varel-sim: " << settings.replayFile << ": " << problem << "\n";
            return 1;
        }
        replay = std::make_unique<TraceReplay>(std::move(trace));
    }

    RadioLine line;
    std::string error;
    const bool opened = settings.device.empty() ? line.openPseudoTerminal(error)
                                                : line.openDevice(settings.device, error);
    if (!opened) {
        std::cerr << "varel-sim: " << error << "\n";
        return 1;
    }

    // SIGINT and SIGTERM are blocked except while waiting for input, so that a signal
    // cannot slip in between testing the stop flag and starting to wait.
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
    sigset_t blocked;
    sigset_t waitMask;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    sigprocmask(SIG_BLOCK, &blocked, &waitMask);

    std::cout << line.devicePath() << std::endl;

    RadioProtocol protocol(memory, settings.radio);
    PacedLine paced(line.fd(), settings.pace);

    // Handles the bytes of one read; returns an exit code when the radio must go away now.
    auto handle = [&](const std::uint8_t* bytes, ssize_t count) -> int {
        const std::int64_t readNs = NowNs();
        for (ssize_t i = 0; i < count; ++i) {
            paced.accept(readNs);
            const bool wasDiverged = replay && replay->diverged();
            const Response response = replay ? replay->feed(bytes[i]) : protocol.feed(bytes[i]);
            for (const auto& entry : response.log) Log(settings, entry);
            if (replay && replay->diverged() && !wasDiverged)
                std::cerr << "varel-sim: " << settings.replayFile << ": " << replay->divergence()
                          << "\n";
            for (std::size_t w = 0; w < response.writes.size(); ++w) {
                // The latency (or the recorded delay) comes before the reply; the pieces of a
                // split reply are apart long enough to arrive as separate receive events.
                const std::int64_t delay = w < response.delaysNs.size() ? response.delaysNs[w] : 0;
                const std::int64_t start =
                    w == 0 ? paced.replyStart() + settings.latencyMs * 1000000LL + delay
                           : paced.sendEnd() + std::max(kPieceGapNs, delay);
                if (!paced.send(response.writes[w], start)) {
                    std::cerr << "varel-sim: cannot write to the line: " << std::strerror(errno)
                              << "\n";
                    return 1;
                }
            }
            if (replay) continue;
            if (protocol.takeCompletedWrite() && settings.save) {
                const auto result = memory.save(settings.memoryFile);
                if (result.ok()) {
                    Log(settings, "memory saved to " + settings.memoryFile);
                } else {
                    std::cerr << "varel-sim: cannot save " << settings.memoryFile << ": "
                              << varel::DataFileMessage(result.error, varel::Language::English)
                              << "\n";
                }
            }
            if (protocol.unplugDue()) {
                Log(settings, "unplugged after " + std::to_string(protocol.blocks()) + " blocks");
                line.close();
                return 0;
            }
        }
        return -1;
    };

    std::int64_t lastActivity = NowNs();
    std::uint8_t buffer[256];
    while (!g_stop) {
        pollfd pfd{line.fd(), POLLIN, 0};
        timespec timeout{};
        const timespec* timeoutPtr = nullptr;
        if (replay ? replay->diverged() : protocol.inSession()) {
            const std::int64_t left =
                std::max<std::int64_t>(0, lastActivity + kSessionIdleNs - NowNs());
            timeout.tv_sec = static_cast<time_t>(left / 1000000000LL);
            timeout.tv_nsec = static_cast<long>(left % 1000000000LL);
            timeoutPtr = &timeout;
        }
        const int ready = ppoll(&pfd, 1, timeoutPtr, &waitMask);
        if (ready < 0) {
            if (errno == EINTR) continue;
            std::cerr << "varel-sim: poll: " << std::strerror(errno) << "\n";
            return 1;
        }
        if (ready == 0) {
            Log(settings, "no byte for 1 s: session forgotten");
            if (replay) replay->reset();
            protocol.reset();
            continue;
        }
        const ssize_t n = read(line.fd(), buffer, sizeof buffer);
        if (n <= 0) {
            if (n < 0 && errno == EINTR) continue;
            std::cerr << "varel-sim: the line is gone"
                      << (n < 0 ? std::string(": ") + std::strerror(errno) : std::string()) << "\n";
            return 1;
        }
        const int code = handle(buffer, n);
        if (code >= 0) return code;
        lastActivity = NowNs();
    }
    // What arrived before the stop request is still handled (the End of a write, say), so a
    // completed write is saved even when the stop follows right behind it.
    for (;;) {
        pollfd pfd{line.fd(), POLLIN, 0};
        if (poll(&pfd, 1, 0) <= 0 || !(pfd.revents & POLLIN)) break;
        const ssize_t n = read(line.fd(), buffer, sizeof buffer);
        if (n <= 0) break;
        const int code = handle(buffer, n);
        if (code >= 0) return code;
    }
    Log(settings, "stopped");
    return 0;
}
