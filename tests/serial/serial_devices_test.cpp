// The serial devices present under a fake system root, which of them appeared between two looks,
// and the port number each maps to (the port finder's arithmetic).
#include "link/serial_devices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace varel::test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// A fake root with a /dev holding the given names, and a fake environment.
class FakeRoot {
public:
    FakeRoot() { fs::create_directories(m_dir.path() / "dev"); }
    void add(const std::string& path) {
        fs::create_directories((m_dir.path() / fs::path(path).relative_path()).parent_path());
        WriteFileText(m_dir.file(fs::path(path).relative_path().string()), "");
    }
    void remove(const std::string& path) {
        fs::remove(m_dir.path() / fs::path(path).relative_path());
    }
    Names list() const { return link::ListSerialDevices(m_dir.path().string(), lookup()); }
    link::EnvLookup lookup() const {
        return [this](const std::string& name) -> std::optional<std::string> {
            const auto it = env.find(name);
            if (it == env.end()) return std::nullopt;
            return it->second;
        };
    }
    std::map<std::string, std::string> env;
    const TempDir& dir() const { return m_dir; }

private:
    TempDir m_dir;
};

TEST(SerialDevices, ListsTheSerialFamiliesAndTheNamedPathsOnly) {
    FakeRoot root;
    for (const char* name :
         {"/dev/ttyUSB0", "/dev/ttyACM12", "/dev/ttyS3", "/dev/ttyUSB", "/dev/ttySAC0", "/dev/tty1",
          "/dev/ttyUSB0.lock", "/dev/null", "/dev/pts/5", "/dev/pts/6"})
        root.add(name);
    root.env["VAREL_COM2"] = "/dev/pts/5";
    root.env["VAREL_COM3"] = "/dev/pts/9";    // names nothing that exists
    root.env["VAREL_COM4"] = "";              // an empty variable names nothing
    root.env["VAREL_COM5"] = "/dev/ttyUSB0";  // already listed: listed once
    root.env["VAREL_COM21"] = "/dev/pts/6";   // no such port
    EXPECT_EQ(root.list(), (Names{"/dev/pts/5", "/dev/ttyACM12", "/dev/ttyS3", "/dev/ttyUSB0"}));

    // A root without /dev still finds the named paths; "/" is the system itself.
    fs::remove_all(root.dir().path() / "dev");
    root.add("/dev/pts/5");
    EXPECT_EQ(root.list(), Names{"/dev/pts/5"});
    fs::remove_all(root.dir().path() / "dev");
    EXPECT_EQ(root.list(), Names{});
}

TEST(SerialDevices, AppearedIsWhatTheSecondLookAddsMappedToItsPort) {
    // before: devices of the first look; plugged/unplugged between the looks; env: overrides;
    // appeared: the difference; ports: the port of each appeared device (0: none)
    struct Case {
        const char* what;
        Names before, plugged, unplugged;
        std::map<std::string, std::string> env;
        Names appeared;
        std::vector<int> ports;
    };
    const Case cases[] = {
        {"one adapter", {"/dev/ttyS0"}, {"/dev/ttyUSB0"}, {}, {}, {"/dev/ttyUSB0"}, {1}},
        {"nothing new", {"/dev/ttyS0", "/dev/ttyUSB0"}, {}, {}, {}, {}, {}},
        {"one gone, none new", {"/dev/ttyUSB0", "/dev/ttyUSB1"}, {}, {"/dev/ttyUSB0"}, {}, {}, {}},
        {"one gone, another new",
         {"/dev/ttyUSB0"},
         {"/dev/ttyUSB1"},
         {"/dev/ttyUSB0"},
         {},
         {"/dev/ttyUSB1"},
         {2}},
        {"several",
         {},
         {"/dev/ttyUSB2", "/dev/ttyACM0"},
         {},
         {},
         {"/dev/ttyACM0", "/dev/ttyUSB2"},
         {9, 3}},
        {"modem class", {}, {"/dev/ttyACM3"}, {}, {}, {"/dev/ttyACM3"}, {12}},
        {"beyond the ports", {}, {"/dev/ttyUSB8"}, {}, {}, {"/dev/ttyUSB8"}, {0}},
        {"beyond the ports, ten", {}, {"/dev/ttyUSB10"}, {}, {}, {"/dev/ttyUSB10"}, {0}},
        {"replaced by an override",
         {},
         {"/dev/ttyUSB0"},
         {},
         {{"VAREL_COM1", "/dev/pts/4"}},
         {"/dev/ttyUSB0"},
         {0}},
        {"moved by an override",
         {},
         {"/dev/ttyUSB9"},
         {},
         {{"VAREL_COM7", "/dev/ttyUSB9"}},
         {"/dev/ttyUSB9"},
         {7}},
        {"a named path",
         {},
         {"/dev/pts/4"},
         {},
         {{"VAREL_COM15", "/dev/pts/4"}},
         {"/dev/pts/4"},
         {15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeRoot root;
        root.env = c.env;
        for (const auto& name : c.before) root.add(name);
        const Names first = root.list();
        EXPECT_EQ(first, [&] {
            Names sorted = c.before;
            std::sort(sorted.begin(), sorted.end());
            return sorted;
        }());
        for (const auto& name : c.plugged) root.add(name);
        for (const auto& name : c.unplugged) root.remove(name);
        const Names appeared = link::AppearedDevices(first, root.list());
        EXPECT_EQ(appeared, c.appeared);
        std::vector<int> ports;
        for (const auto& device : appeared)
            ports.push_back(link::PortOfDevice(device, root.lookup()));
        EXPECT_EQ(ports, c.ports);
    }
}

}  // namespace
}  // namespace varel::test
