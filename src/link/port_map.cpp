#include "link/port_map.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace varel::link {

namespace {

struct DeviceRange {
    int first;           // first port number of the range
    int last;            // last port number of the range
    const char* prefix;  // device path without the trailing index
};

constexpr DeviceRange kRanges[] = {
    {1, 8, "/dev/ttyUSB"},
    {9, 12, "/dev/ttyACM"},
    {13, 20, "/dev/ttyS"},
};

std::optional<std::string> ProcessEnv(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

}  // namespace

EnvLookup ProcessEnvironment() {
    return ProcessEnv;
}

std::string DefaultPortDevice(int port) {
    for (const auto& range : kRanges) {
        if (port >= range.first && port <= range.last)
            return range.prefix + std::to_string(port - range.first);
    }
    return {};
}

std::string PortOverrideVariable(int port) {
    return "VAREL_COM" + std::to_string(port);
}

std::string PortDevice(int port, const EnvLookup& env) {
    if (port < kFirstPort || port > kLastPort) return {};
    if (env) {
        const auto value = env(PortOverrideVariable(port));
        if (value && !value->empty()) return *value;
    }
    return DefaultPortDevice(port);
}

std::string PortDevice(int port) {
    return PortDevice(port, ProcessEnv);
}

PortArgument ResolvePortArgument(const std::string& text, const EnvLookup& env) {
    PortArgument result;
    // "Com7" (any case) names port 7 as the port window shows it.
    std::string number = text;
    if (text.size() > 3 && std::tolower(static_cast<unsigned char>(text[0])) == 'c' &&
        std::tolower(static_cast<unsigned char>(text[1])) == 'o' &&
        std::tolower(static_cast<unsigned char>(text[2])) == 'm')
        number = text.substr(3);
    const bool allDigits = !number.empty() && std::all_of(number.begin(), number.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
    if (!allDigits) {
        // Anything else is a path, which must exist; a link that leads nowhere exists and is
        // reported later as a missing device.
        struct stat st {};
        result.valid = ::lstat(text.c_str(), &st) == 0;
        if (result.valid) result.device = text;
        return result;
    }
    // Leading zeros aside, more than two digits cannot name a port.
    const std::size_t first = std::min(number.find_first_not_of('0'), number.size());
    if (number.size() - first > 2) return result;
    const int port = first == number.size() ? 0 : std::stoi(number.substr(first));
    result.device = PortDevice(port, env);
    result.valid = !result.device.empty();
    return result;
}

PortArgument ResolvePortArgument(const std::string& text) {
    return ResolvePortArgument(text, ProcessEnv);
}

}  // namespace varel::link
