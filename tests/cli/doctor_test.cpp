// varel-cli doctor against the virtual radio: the exchange (answering, silent, another model,
// a held port) with its exit codes and words in both languages, and the checks without a port
// on a made-up system root.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/sim_process.h"
#include "link/port_lock.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace varel::test {
namespace {

namespace fs = std::filesystem;

ProgramResult Doctor(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"doctor"};
    all.insert(all.end(), args.begin(), args.end());
    return RunProgram(VAREL_CLI, all, 30000);
}

struct Case {
    const char* name;
    std::vector<std::string> simArgs;
    std::vector<std::string> extra;
    int exitCode;
    std::string says;
};

TEST(CliDoctor, TheExchangeWithTheVirtualRadio) {
    const Case cases[] = {
        {"answering", {}, {}, 0, "[ok] the radio answered: PW-K4, band 0"},
        {"answering in Chinese",
         {"--band", "2"},
         {"--lang", "zh"},
         0,
         "[正常] 电台已应答：PW-K4，频段 2"},
        {"silent", {"--silent"}, {}, 4, "[problem] the radio did not answer: check that the cable"},
        {"another model", {"--model", "XY-Z9"}, {}, 4, "a device answered as \"XY-Z9\""},
    };
    for (const Case& c : cases) {
        SimProcess sim;
        ASSERT_TRUE(sim.start(c.simArgs)) << c.name;
        std::vector<std::string> args = {"--port", sim.device()};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const auto r = Doctor(args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name << "\n" << r.out << r.err;
        EXPECT_TRUE(Has(r.out, c.says)) << c.name << "\n" << r.out;
        // Never a block: the radio saw the wake-up, and End unless it kept silent.
        EXPECT_EQ(sim.count("rx Read") + sim.count("rx Write"), 0) << c.name;
        if (c.exitCode == 0) {
            EXPECT_TRUE(sim.waitForLog("rx End")) << c.name << sim.log();
        }
    }
}

// A port another program holds is a port problem, with its process named, and the radio is
// not woken.
TEST(CliDoctor, AHeldPortIsAPortProblem) {
    SimProcess sim;
    ASSERT_TRUE(sim.start({}));
    const std::string lock = link::LockFilePath(sim.device());
    ASSERT_FALSE(lock.empty());
    std::ofstream(lock) << "  " << getpid() << "\n";
    const auto r = Doctor({"--port", sim.device()});
    fs::remove(lock);
    EXPECT_EQ(r.exitCode, 3) << r.out << r.err;
    EXPECT_TRUE(Has(r.out, "[problem] process " + std::to_string(getpid()))) << r.out;
    EXPECT_TRUE(Has(r.out, "the port could not be opened: busy in another program")) << r.out;
    EXPECT_EQ(sim.count("rx PROGRAM"), 0);
}

TEST(CliDoctor, PortsThatDoNotWorkAndUsage) {
    TempDir root;
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string says;
    } cases[] = {
        {{"--port", "/dev/ttyVARELnone"}, 3, "/dev/ttyVARELnone does not exist"},
        {{"--port", "/dev/null"}, 3, "the port could not be opened: not a serial device"},
        // Without a port: every existing port of the system below the root; here none.
        {{"--root", root.path().string()}, 3, "no serial port exists"},
        {{"--lang", "fr"}, 2, ""},
        {{"--port", "Com99"}, 2, ""},
        {{"file.dat"}, 2, ""},
    };
    for (const auto& c : cases) {
        const auto r = Doctor(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0] << "\n" << r.out << r.err;
        EXPECT_TRUE(Has(r.out, c.says)) << r.out;
    }
    // A port that exists and has nothing against it: the radio is not asked.
    fs::create_directories(root.path() / "dev");
    fs::create_symlink("/dev/tty", root.path() / "dev/ttyUSB0");
    const auto r = Doctor({"--root", root.path().string(), "--lang", "zh"});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_TRUE(Has(r.out, "/dev/ttyUSB0:\n  [正常] 设备存在")) << r.out;
    EXPECT_TRUE(Has(r.out, "未选择端口，因此没有询问电台")) << r.out;
}

}  // namespace
}  // namespace varel::test
