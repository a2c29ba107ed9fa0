// Port numbers, their devices and the environment overrides.
#include "link/port_map.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <map>
#include <string>

namespace varel::link {
namespace {

EnvLookup FakeEnv(std::map<std::string, std::string> vars) {
    return [vars](const std::string& name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        if (it == vars.end()) return std::nullopt;
        return it->second;
    };
}

TEST(PortMap, NumbersMapToTheirDevices) {
    const struct {
        int port;
        const char* device;
    } cases[] = {
        {1, "/dev/ttyUSB0"},
        {8, "/dev/ttyUSB7"},
        {9, "/dev/ttyACM0"},
        {12, "/dev/ttyACM3"},
        {13, "/dev/ttyS0"},
        {20, "/dev/ttyS7"},
        {0, ""},
        {21, ""},
        {-1, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DefaultPortDevice(c.port), c.device) << c.port;
        EXPECT_EQ(PortDevice(c.port, FakeEnv({})), c.device) << c.port;
    }
}

TEST(PortMap, EnvironmentOverridesOnePort) {
    const auto env = FakeEnv({{"VAREL_COM1", "/dev/pts/5"},
                              {"VAREL_COM2", ""},  // empty: ignored
                              {"VAREL_COM21", "/dev/pts/9"},
                              {"VAREL_COM", "/dev/pts/7"}});
    EXPECT_EQ(PortDevice(1, env), "/dev/pts/5");
    EXPECT_EQ(PortDevice(2, env), "/dev/ttyUSB1");
    EXPECT_EQ(PortDevice(11, env), "/dev/ttyACM2");
    EXPECT_EQ(PortDevice(21, env), "");  // no port 21, whatever the environment says
    EXPECT_EQ(PortDevice(0, env), "");
}

TEST(PortMap, ProcessEnvironmentIsConsulted) {
    ASSERT_EQ(setenv("VAREL_COM17", "/dev/pts/42", 1), 0);
    EXPECT_EQ(PortDevice(17), "/dev/pts/42");
    unsetenv("VAREL_COM17");
    EXPECT_EQ(PortDevice(17), "/dev/ttyS4");
}

TEST(PortMap, PortArgumentIsAPortNameANumberOrAnExistingPath) {
    const auto env = FakeEnv({{"VAREL_COM3", "/dev/pts/3"}});
    const struct {
        const char* text;
        bool valid;
        const char* device;
    } cases[] = {
        {"1", true, "/dev/ttyUSB0"},
        {"3", true, "/dev/pts/3"},
        {"07", true, "/dev/ttyUSB6"},
        {"20", true, "/dev/ttyS7"},
        {"com3", true, "/dev/pts/3"},
        {"COM20", true, "/dev/ttyS7"},
        {"/dev/null", true, "/dev/null"},
        {"0", false, ""},
        {"21", false, ""},
        {"00001", true, "/dev/ttyUSB0"},
        {"000", false, ""},
        {"120", false, ""},
        {"99999999999999999999", false, ""},
        {"Com21", false, ""},
        {"Com1x", false, ""},
        {"/nonexistent/ttyVAREL", false, ""},
        {"ttyS1", false, ""},
        {"", false, ""},
    };
    for (const auto& c : cases) {
        const PortArgument arg = ResolvePortArgument(c.text, env);
        EXPECT_EQ(arg.valid, c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(arg.device, c.device) << c.text;
        }
    }
}

}  // namespace
}  // namespace varel::link
