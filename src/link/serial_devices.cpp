#include "link/serial_devices.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <system_error>

namespace varel::link {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDevicePrefixes[] = {"ttyUSB", "ttyACM", "ttyS"};

bool IsSerialName(const std::string& name) {
    return std::any_of(std::begin(kDevicePrefixes), std::end(kDevicePrefixes), [&](const char* p) {
        const std::string prefix = p;
        // "ttyS" with a number after it; "ttySAC0" and the like belong to other drivers.
        return name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
               std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                           [](char c) { return c >= '0' && c <= '9'; });
    });
}

// The path under root; root "/" or "" leaves the path as it is.
fs::path UnderRoot(const std::string& root, const std::string& path) {
    if (root.empty() || root == "/") return path;
    return fs::path(root) / fs::path(path).relative_path();
}

}  // namespace

std::vector<std::string> ListSerialDevices(const std::string& root, const EnvLookup& env) {
    std::vector<std::string> devices;
    std::error_code error;
    for (fs::directory_iterator it(UnderRoot(root, "/dev"), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (IsSerialName(name)) devices.push_back("/dev/" + name);
    }
    // A named device counts while what it names exists (a link that leads nowhere does not).
    for (int port = kFirstPort; env && port <= kLastPort; ++port) {
        const auto named = env(PortOverrideVariable(port));
        if (named && !named->empty() && fs::exists(UnderRoot(root, *named), error))
            devices.push_back(*named);
    }
    std::sort(devices.begin(), devices.end());
    devices.erase(std::unique(devices.begin(), devices.end()), devices.end());
    return devices;
}

std::vector<std::string> AppearedDevices(const std::vector<std::string>& before,
                                         const std::vector<std::string>& after) {
    std::vector<std::string> appeared;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                        std::back_inserter(appeared));
    return appeared;
}

int PortOfDevice(const std::string& device, const EnvLookup& env) {
    for (int port = kFirstPort; port <= kLastPort; ++port)
        if (PortDevice(port, env) == device) return port;
    return 0;
}

int PortOfDevice(const std::string& device) {
    return PortOfDevice(device, ProcessEnvironment());
}

std::vector<std::string> ListSerialDevices(const std::string& root) {
    return ListSerialDevices(root, ProcessEnvironment());
}

}  // namespace varel::link
