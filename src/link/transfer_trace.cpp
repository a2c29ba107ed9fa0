#include "link/transfer_trace.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

namespace varel::link {

namespace {

const char kHex[] = "0123456789ABCDEF";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "+S" or "+S.F" with up to 6 digits of F; the time in microseconds. Digits only, so that no
// locale can change what a trace means.
bool ParseMicros(const std::string& text, long long& micros) {
    if (text.size() < 2 || text[0] != '+') return false;
    std::size_t i = 1;
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (i > 12) return false;
        value = value * 10 + (text[i] - '0');
    }
    if (i == 1) return false;
    int fraction = 0;
    if (i < text.size()) {
        if (text[i] != '.' || i + 1 == text.size()) return false;
        for (++i; i < text.size(); ++i, ++fraction) {
            if (!IsDigit(text[i]) || fraction == 6) return false;
            value = value * 10 + (text[i] - '0');
        }
    }
    for (; fraction < 6; ++fraction) value *= 10;
    micros = value;
    return true;
}

long long Micros(double seconds) {
    return std::llround(seconds * 1e6);
}

// The words of a line between single spaces; false when two spaces meet or the line starts or
// ends with one.
bool SplitWords(const std::string& line, std::vector<std::string>& words) {
    std::size_t from = 0;
    for (;;) {
        const std::size_t space = line.find(' ', from);
        const std::string word = line.substr(from, space - from);
        if (word.empty()) return false;
        words.push_back(word);
        if (space == std::string::npos) return true;
        from = space + 1;
    }
}

bool ParseHeader(const std::string& line, Trace& trace, std::string& problem) {
    const std::string start = std::string(kTraceFormat) + " ";
    if (line.compare(0, start.size(), start) != 0) {
        problem = "not a transfer trace (the first line must begin with '" + start + "')";
        return false;
    }
    const std::size_t versionEnd = line.find(' ', start.size());
    const std::string version = line.substr(start.size(), versionEnd - start.size());
    if (version != std::to_string(kTraceVersion)) {
        problem = "version '" + version + "' is not known (this program reads version " +
                  std::to_string(kTraceVersion) + ")";
        return false;
    }
    const std::string rest = versionEnd == std::string::npos ? "" : line.substr(versionEnd + 1);
    for (const char* direction : {"read", "write"}) {
        const std::string head = std::string("direction=") + direction + " port=";
        if (rest.compare(0, head.size(), head) == 0) {
            trace.direction = direction;
            trace.port = rest.substr(head.size());
            return true;
        }
    }
    problem = "the first line needs 'direction=read' or 'direction=write', then 'port='";
    return false;
}

bool ParseEvent(const std::string& line, long long& earliest, TraceEvent& event,
                std::string& problem) {
    std::vector<std::string> words;
    if (!SplitWords(line, words) || words.size() < 3) {
        problem = "an event needs a time, '>' or '<' and at least one byte, one space apart";
        return false;
    }
    long long micros = 0;
    if (!ParseMicros(words[0], micros)) {
        problem = "'" + words[0] + "' is not a time such as +0.012345";
        return false;
    }
    if (micros < earliest) {
        problem = "the time runs back";
        return false;
    }
    earliest = micros;
    event.seconds = static_cast<double>(micros) / 1e6;
    if (words[1] != ">" && words[1] != "<") {
        problem = "'" + words[1] + "' is neither '>' (sent) nor '<' (received)";
        return false;
    }
    event.sent = words[1] == ">";
    for (std::size_t i = 2; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() != 2 || HexDigit(word[0]) < 0 || HexDigit(word[1]) < 0) {
            problem = "'" + word + "' is not a byte of two hexadecimal digits";
            return false;
        }
        event.bytes.push_back(
            static_cast<std::uint8_t>(HexDigit(word[0]) * 16 + HexDigit(word[1])));
    }
    return true;
}

}  // namespace

std::string TraceText(const Trace& trace) {
    // The port ends the first line, which a line break in its name would end too early.
    std::string port = trace.port;
    std::replace(port.begin(), port.end(), '\n', '?');
    std::string text = std::string(kTraceFormat) + " " + std::to_string(kTraceVersion) +
                       " direction=" + trace.direction + " port=" + port + "\n";
    for (const TraceEvent& event : trace.events) {
        const long long micros = std::max(0LL, Micros(event.seconds));
        std::string fraction = std::to_string(micros % 1000000);
        fraction.insert(0, 6 - fraction.size(), '0');
        text +=
            "+" + std::to_string(micros / 1000000) + "." + fraction + (event.sent ? " >" : " <");
        for (const std::uint8_t byte : event.bytes) {
            text += ' ';
            text += kHex[byte >> 4];
            text += kHex[byte & 0x0F];
        }
        text += '\n';
    }
    return text;
}

bool ParseTrace(const std::string& text, Trace& trace, std::string& problem) {
    Trace parsed;
    std::size_t from = 0;
    int number = 0;
    long long earliest = 0;
    while (from < text.size()) {
        const std::size_t end = text.find('\n', from);
        const std::string line = text.substr(from, end - from);
        from = end == std::string::npos ? text.size() : end + 1;
        ++number;
        std::string what;
        TraceEvent event;
        const bool ok =
            number == 1 ? ParseHeader(line, parsed, what) : ParseEvent(line, earliest, event, what);
        if (!ok) {
            problem = "line " + std::to_string(number) + ": " + what;
            return false;
        }
        if (number == 1) continue;
        parsed.events.push_back(std::move(event));
    }
    if (number == 0) {
        problem = "the trace is empty";
        return false;
    }
    trace = std::move(parsed);
    return true;
}

double SteadySeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

TraceRecorder::TraceRecorder(TraceClock clock) : m_clock(std::move(clock)) {}

void TraceRecorder::start(const std::string& direction, const std::string& port) {
    m_trace = Trace{direction, port, {}};
    m_origin = m_clock();
}

void TraceRecorder::sent(const std::uint8_t* data, std::size_t size) {
    add(true, data, size);
}

void TraceRecorder::received(const std::uint8_t* data, std::size_t size) {
    add(false, data, size);
}

void TraceRecorder::add(bool sent, const std::uint8_t* data, std::size_t size) {
    if (size == 0) return;
    // A clock that steps back (or a time before start) would make a trace the reader refuses.
    const double earliest = m_trace.events.empty() ? 0 : m_trace.events.back().seconds;
    double seconds = m_clock() - m_origin;
    if (seconds < earliest) seconds = earliest;
    m_trace.events.push_back({seconds, sent, std::vector<std::uint8_t>(data, data + size)});
}

}  // namespace varel::link
