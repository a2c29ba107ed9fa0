// One program at a time on a device, whatever name reaches it; lock files of running and of
// vanished processes; and the reasons a port cannot be opened.
#include "link/port_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QSerialPort>
#include <filesystem>
#include <fstream>
#include <string>

#include "link/port_probe.h"
#include "serial/serial_test_app.h"
#include "sim/pty.h"
#include "support/as_nobody.h"
#include "support/temp_dir.h"

namespace varel::link {
namespace {

namespace fs = std::filesystem;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A lock file as other serial programs write it: the process id padded to ten places.
void WriteLock(const std::string& path, pid_t pid) {
    std::ofstream(path) << std::string(10 - std::to_string(pid).size(), ' ') << pid << '\n';
}

// The id of a process that has ended.
pid_t EndedProcess() {
    const pid_t pid = fork();
    if (pid == 0) _exit(0);
    waitpid(pid, nullptr, 0);
    return pid;
}

class PortLock : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        std::string error;
        ASSERT_TRUE(line.openPseudoTerminal(error)) << error;
        device = line.devicePath();
        lock = LockFilePath(device);
        ASSERT_FALSE(lock.empty());
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove(lock, ignored);
    }

    sim::RadioLine line;
    std::string device;
    std::string lock;
    test::TempDir dir;
};

// As root, exclusive mode does not keep a second open out; the lock must.
TEST_F(PortLock, ADeviceOpensOnceWhateverNameReachesIt) {
    const std::string link = dir.file("radio");
    fs::create_symlink(device, link);
    QSerialPort first;
    ASSERT_TRUE(OpenComDevice(first, Q(link)));
    EXPECT_TRUE(fs::exists(lock));  // named after the device, not the link
    for (const std::string& name : {device, link}) {
        QSerialPort second;
        PortProblem problem = PortProblem::None;
        EXPECT_FALSE(OpenComDevice(second, Q(name), &problem)) << name;
        EXPECT_EQ(problem, PortProblem::Busy) << name;
    }
    first.close();
    EXPECT_FALSE(fs::exists(lock));
}

TEST_F(PortLock, LiveLocksAreHonouredAndStaleOnesBroken) {
    WriteLock(lock, getpid());
    QSerialPort port;
    PortProblem problem = PortProblem::None;
    EXPECT_FALSE(OpenComDevice(port, Q(device), &problem));
    EXPECT_EQ(problem, PortProblem::Busy);
    EXPECT_EQ(DiagnosePort(device), PortProblem::Busy);

    WriteLock(lock, EndedProcess());
    ASSERT_TRUE(OpenComDevice(port, Q(device)));
    std::ifstream held(lock);
    pid_t owner = 0;
    EXPECT_TRUE(held >> owner);
    EXPECT_EQ(owner, getpid());  // the stale lock was replaced by this process's own
}

TEST_F(PortLock, ReasonsAPortCannotBeOpened) {
    const std::string file = dir.file("plain");
    std::ofstream(file) << "x";
    const struct {
        std::string path;
        PortProblem problem;
    } cases[] = {
        {device, PortProblem::None},
        {dir.file("missing"), PortProblem::NoSuchDevice},
        {file, PortProblem::NotSerial},
        {"/dev/null", PortProblem::NotSerial},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DiagnosePort(c.path), c.problem) << c.path;
        QSerialPort port;
        PortProblem problem = PortProblem::Busy;
        OpenComDevice(port, Q(c.path), &problem);
        EXPECT_EQ(problem, c.problem) << c.path;
    }
    ASSERT_EQ(chmod(device.c_str(), 0), 0);
    const auto unprivileged =
        test::RunUnprivileged([&] { return static_cast<int>(DiagnosePort(device)); });
    ASSERT_TRUE(unprivileged) << "cannot run as an ordinary user";
    EXPECT_EQ(*unprivileged, static_cast<int>(PortProblem::NoPermission));
    for (Language lang : {Language::Chinese, Language::English})
        EXPECT_NE(PortProblemText(PortProblem::NoPermission, lang).find("dialout"),
                  std::string::npos);
}

}  // namespace
}  // namespace varel::link
