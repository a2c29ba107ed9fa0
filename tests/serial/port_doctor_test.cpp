// The connection doctor's system checks on made-up systems: each case builds a tree of /dev,
// /sys, /proc, the lock folders and /etc/group in a temporary folder (what a file tree cannot
// hold, a node's group and access and the user's groups, comes from the fake) and expects the
// whole list of findings in order; then the exit codes and the texts of the findings.
#include "link/port_doctor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace varel::link {

// Failed comparisons show a finding as its English line.
void PrintTo(const Finding& f, std::ostream* os) {
    *os << "[" << SeverityText(f.severity).en << "] " << f.device << " " << FindingText(f).en;
}

namespace {

namespace fs = std::filesystem;
using K = FindingKind;
using S = Severity;

constexpr gid_t kDialout = 20;

// The system below a test's folder, with the nodes and the user made up.
class FakeSystem : public SystemView {
public:
    explicit FakeSystem(const std::string& root) : SystemView(root) {}
    NodeInfo node(const std::string& path) const override {
        const auto it = nodes.find(resolve(path));
        return it == nodes.end() ? NodeInfo{} : it->second;
    }
    UserInfo user() const override { return who; }

    std::map<std::string, NodeInfo> nodes;
    UserInfo who{"ann", 1000, {1000}};
};

// A folder tree for a FakeSystem.
struct Tree {
    test::TempDir dir;
    void write(const std::string& path, const std::string& text) const {
        fs::create_directories((dir.path() / path).parent_path());
        ASSERT_TRUE(test::WriteFileText(dir.file(path), text)) << path;
    }
    void link(const std::string& path, const std::string& target) const {
        fs::create_directories((dir.path() / path).parent_path());
        fs::create_symlink(target, dir.path() / path);
    }
    void remove(const std::string& path) const { fs::remove(dir.path() / path); }
};

const char kUsbDevice[] = "sys/devices/pci0/usb1/1-1";

// A CH340 cable on ttyUSB0 that the user may open, nothing else running, a quiet kernel log.
void Cable(Tree& t, FakeSystem& s) {
    const std::string usb = kUsbDevice;
    t.write("dev/ttyUSB0", "");
    t.write("etc/group", "root:x:0:\ndialout:x:20:\nann:x:1000:\n");
    t.write(usb + "/idVendor", "1a86\n");
    t.write(usb + "/idProduct", "7523\n");
    t.link(usb + "/1-1:1.0/ttyUSB0/driver", "../../../../../../bus/usb-serial/drivers/ch341-uart");
    t.link("sys/class/tty/ttyUSB0/device", "../../../devices/pci0/usb1/1-1/1-1:1.0/ttyUSB0");
    t.write("proc/1/comm", "systemd\n");
    t.write("dev/kmsg", "6,500,1;usb 1-1: ch341-uart converter now attached to ttyUSB0\n");
    s.nodes["/dev/ttyUSB0"] = {true, true, kDialout, true};
}

// What a healthy cable gives, with the findings before `at` replaced by more.
std::vector<Finding> Healthy(const std::string& device = "/dev/ttyUSB0") {
    return {{K::DevicePresent, S::Ok, device, {"/dev/ttyUSB0"}},
            {K::Adapter, S::Ok, device, {"1a86:7523", "ch341-uart", "CH340"}},
            {K::Accessible, S::Ok, device, {"dialout"}},
            {K::NotBusy, S::Ok, device, {}},
            {K::KernelLogQuiet, S::Ok, device, {}}};
}

std::vector<Finding> Replace(std::vector<Finding> list, std::size_t at, std::size_t count,
                             const std::vector<Finding>& with) {
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(at),
               list.begin() + static_cast<std::ptrdiff_t>(at + count));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), with.begin(), with.end());
    return list;
}

std::string Describe(const std::vector<Finding>& findings) {
    return DoctorReport(findings, Language::English);
}

struct Case {
    const char* name;
    std::function<void(Tree&, FakeSystem&)> change;  // applied after Cable
    std::string device;
    std::vector<Finding> expected;
};

TEST(PortDoctor, EveryFindingFromAMadeUpSystem) {
    const std::string d = "/dev/ttyUSB0";
    const Finding quiet{K::KernelLogQuiet, S::Ok, d, {}};
    const std::vector<Case> cases = {
        {"a healthy cable", [](Tree&, FakeSystem&) {}, d, Healthy()},
        {"the device is missing; the kernel log saw it go",
         [](Tree& t, FakeSystem& s) {
             t.remove("dev/ttyUSB0");
             s.nodes.clear();
             t.write("dev/kmsg",
                     "6,1,1;ch341-uart ttyUSB0: ch341-uart converter now "
                     "disconnected from ttyUSB0\n");
         },
         d,
         {{K::DeviceMissing, S::Problem, d, {}},
          {K::DisconnectInKernelLog, S::Warning, d, {"ttyUSB0"}}}},
        {"a file that is no serial device",
         [](Tree&, FakeSystem& s) { s.nodes["/dev/ttyUSB0"].isChar = false; },
         d,
         {{K::NotSerial, S::Problem, d, {}}, quiet}},
        {"a counterfeit-prone PL2303",
         [](Tree& t, FakeSystem&) {
             t.write(std::string(kUsbDevice) + "/idVendor", "067b");
             t.write(std::string(kUsbDevice) + "/idProduct", "2303");
         },
         d,
         Replace(Healthy(), 1, 1,
                 {{K::Adapter, S::Ok, d, {"067b:2303", "ch341-uart", "PL2303"}},
                  {K::SuspectChip, S::Warning, d, {"PL2303", "067b:2303"}}})},
        {"an adapter the list does not know",
         [](Tree& t, FakeSystem&) { t.write(std::string(kUsbDevice) + "/idProduct", "1234"); }, d,
         Replace(Healthy(), 1, 1, {{K::Adapter, S::Ok, d, {"1a86:1234", "ch341-uart", "?"}}})},
        {"not in the device's group",
         [](Tree&, FakeSystem& s) { s.nodes["/dev/ttyUSB0"].accessible = false; }, d,
         Replace(Healthy(), 2, 1, {{K::NoPermission, S::Problem, d, {"dialout"}}})},
        {"added to the group after logging in",
         [](Tree& t, FakeSystem& s) {
             s.nodes["/dev/ttyUSB0"].accessible = false;
             t.write("etc/group", "dialout:x:20:bob,ann\n");
         },
         d, Replace(Healthy(), 2, 1, {{K::NeedsNewLogin, S::Problem, d, {"dialout"}}})},
        {"in the group, which the device refuses",
         [](Tree&, FakeSystem& s) {
             s.nodes["/dev/ttyUSB0"].accessible = false;
             s.who.groups.push_back(kDialout);
         },
         d, Replace(Healthy(), 2, 1, {{K::GroupDenied, S::Problem, d, {"dialout"}}})},
        {"a group without a name",
         [](Tree&, FakeSystem& s) {
             s.nodes["/dev/ttyUSB0"] = {true, true, 1234, false};
         },
         d, Replace(Healthy(), 2, 1, {{K::NoPermission, S::Problem, d, {"1234"}}})},
        {"a live lock, found in two folders, is one finding",
         [](Tree& t, FakeSystem&) {
             t.write("var/lock/LCK..ttyUSB0", "      4242\n");
             t.write("run/lock/LCK..ttyUSB0", "      4242\n");
             t.write("proc/4242/comm", "minicom\n");
         },
         d,
         Replace(Healthy(), 3, 1,
                 {{K::LockedBy, S::Problem, d, {"4242", "minicom", "/var/lock/LCK..ttyUSB0"}}})},
        {"a lock of an ended process",
         [](Tree& t, FakeSystem&) { t.write("run/lock/LCK..ttyUSB0", "999999\n"); }, d,
         Replace(Healthy(), 3, 0,
                 {{K::StaleLock, S::Note, d, {"/run/lock/LCK..ttyUSB0", "999999"}}})},
        {"a lock without a process id counts for nothing",
         [](Tree& t, FakeSystem&) { t.write("var/lock/LCK..ttyUSB0", "minicom\n"); }, d, Healthy()},
        {"another program has it open",
         [](Tree& t, FakeSystem&) {
             t.write("proc/77/comm", "screen\n");
             t.link("proc/77/fd/0", "/dev/null");
             t.link("proc/77/fd/3", "/dev/ttyUSB0");
             t.link("proc/77/fd/4", "/dev/ttyUSB0");
         },
         d, Replace(Healthy(), 3, 1, {{K::OpenBy, S::Problem, d, {"77", "screen"}}})},
        {"the braille display service took it",
         [](Tree& t, FakeSystem&) {
             t.write("proc/88/comm", "brltty\n");
             t.link("proc/88/fd/5", "/dev/ttyUSB0");
         },
         d,
         Replace(
             Healthy(), 3, 1,
             {{K::BrailleHolds, S::Problem, d, {"88"}}, {K::BrailleRunning, S::Warning, d, {}}})},
        {"the braille service claimed an adapter, says the kernel log",
         [](Tree& t, FakeSystem&) {
             t.write("proc/88/comm", "brltty\n");
             t.write("dev/kmsg",
                     "4,2,2;usb 1-1: usbfs: interface 0 claimed by ch341 while "
                     "'brltty' sets config #1\n");
         },
         d,
         Replace(
             Healthy(), 4, 1,
             {{K::BrailleRunning, S::Warning, d, {}}, {K::BrailleInKernelLog, S::Problem, d, {}}})},
        {"ModemManager runs",
         [](Tree& t, FakeSystem&) { t.write("proc/9/comm", "ModemManager\n"); }, d,
         Replace(Healthy(), 4, 0, {{K::ModemManagerRunning, S::Warning, d, {}}})},
        {"the kernel log is refused", [](Tree& t, FakeSystem&) { t.remove("dev/kmsg"); }, d,
         Replace(Healthy(), 4, 1, {{K::KernelLogSkipped, S::Note, d, {}}})},
        {"reached through a link: locks under both names",
         [](Tree& t, FakeSystem&) {
             t.link("dev/serial/by-id/usb-cable", "../../ttyUSB0");
             t.write("var/lock/LCK..serial_by-id_usb-cable", "4242\n");
             t.write("proc/4242/comm", "cu\n");
         },
         "/dev/serial/by-id/usb-cable",
         [] {
             const std::string l = "/dev/serial/by-id/usb-cable";
             auto list = Healthy(l);
             return Replace(list, 3, 1,
                            {{K::LockedBy,
                              S::Problem,
                              l,
                              {"4242", "cu", "/var/lock/LCK..serial_by-id_usb-cable"}}});
         }()},
        {"a modem-class adapter: the USB device is one folder up",
         [](Tree& t, FakeSystem& s) {
             t.write("dev/ttyACM0", "");
             s.nodes["/dev/ttyACM0"] = {true, true, kDialout, true};
             t.write("sys/devices/pci0/usb1/1-2/idVendor", "0403\n");
             t.write("sys/devices/pci0/usb1/1-2/idProduct", "6001\n");
             t.link("sys/devices/pci0/usb1/1-2/1-2:1.0/driver", "../../../../../bus/usb/cdc_acm");
             t.link("sys/class/tty/ttyACM0/device", "../../../devices/pci0/usb1/1-2/1-2:1.0");
         },
         "/dev/ttyACM0",
         {{K::DevicePresent, S::Ok, "/dev/ttyACM0", {"/dev/ttyACM0"}},
          {K::Adapter, S::Ok, "/dev/ttyACM0", {"0403:6001", "cdc_acm", "FT232R"}},
          {K::Accessible, S::Ok, "/dev/ttyACM0", {"dialout"}},
          {K::NotBusy, S::Ok, "/dev/ttyACM0", {}},
          {K::KernelLogQuiet, S::Ok, "/dev/ttyACM0", {}}}},
        {"a pseudo-terminal held by the virtual radio at its other end",
         [](Tree& t, FakeSystem& s) {
             t.write("dev/pts/3", "");
             s.nodes["/dev/pts/3"] = {true, true, 5, true};
             t.write("etc/group", "tty:x:5:\n");
             t.write("proc/50/comm", "varel-sim\n");
             t.link("proc/50/fd/7", "/dev/pts/3");
         },
         "/dev/pts/3",
         {{K::DevicePresent, S::Ok, "/dev/pts/3", {"/dev/pts/3"}},
          {K::Accessible, S::Ok, "/dev/pts/3", {"tty"}},
          {K::PtyOpenBy, S::Note, "/dev/pts/3", {"50", "varel-sim"}},
          {K::KernelLogQuiet, S::Ok, "/dev/pts/3", {}}}},
    };
    for (const Case& c : cases) {
        Tree tree;
        FakeSystem system(tree.dir.path().string());
        Cable(tree, system);
        c.change(tree, system);
        const auto found = CheckPort(system, c.device);
        EXPECT_EQ(found, c.expected) << c.name << "\nfound:\n"
                                     << Describe(found) << "expected:\n"
                                     << Describe(c.expected);
    }
}

TEST(PortDoctor, WithoutAPortEveryExistingPortIsCheckedAndNoneIsAProblem) {
    Tree tree;
    FakeSystem system(tree.dir.path().string());
    EXPECT_EQ(CheckPorts(system, {"/dev/ttyUSB0", "/dev/ttyS0"}),
              std::vector<Finding>({{K::NoPortFound, S::Problem, "", {}}}));
    Cable(tree, system);
    tree.write("dev/ttyS0", "");
    system.nodes["/dev/ttyS0"] = {true, true, kDialout, false};
    auto expected = Healthy();
    expected.insert(expected.end(), {{K::DevicePresent, S::Ok, "/dev/ttyS0", {"/dev/ttyS0"}},
                                     {K::NoPermission, S::Problem, "/dev/ttyS0", {"dialout"}},
                                     {K::NotBusy, S::Ok, "/dev/ttyS0", {}},
                                     {K::KernelLogQuiet, S::Ok, "/dev/ttyS0", {}}});
    EXPECT_EQ(CheckPorts(system, {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyS0"}), expected);
}

TEST(PortDoctor, TheExchangeAndTheExitCodes) {
    const std::string d = "/dev/ttyUSB0";
    ExchangeResult busy;
    busy.problem = PortProblem::Busy;
    ExchangeResult silent;
    silent.outcome = Outcome::CommunicationError;
    ExchangeResult other{
        PortProblem::None, Outcome::Success, "XY-Z9", "58592D5A3900010000", {}, false};
    ExchangeResult right{
        PortProblem::None, Outcome::Success, "PW-K4", "50572D4B3400000000", 0, true};
    const Finding held = ExchangeFinding(d, busy);
    const Finding none = ExchangeFinding(d, silent);
    const Finding wrong = ExchangeFinding(d, other);
    const Finding answered = ExchangeFinding(d, right);
    EXPECT_EQ(
        held,
        (Finding{K::PortUnusable, S::Problem, d, {"busy in another program", "正被其他程序占用"}}));
    EXPECT_EQ(FindingText(held).zh, "无法打开端口：正被其他程序占用");
    EXPECT_EQ(none, (Finding{K::NoAnswer, S::Problem, d, {}}));
    EXPECT_EQ(wrong.kind, K::WrongModel);
    EXPECT_EQ(FindingText(answered).en, "the radio answered: PW-K4, band 0");
    EXPECT_EQ(FindingText(answered).zh, "电台已应答：PW-K4，频段 0");

    const Finding warning{K::ModemManagerRunning, S::Warning, d, {}};
    const Finding problem{K::LockedBy, S::Problem, d, {"1", "x", "y"}};
    const Finding notRun{K::ExchangeNotRun, S::Note, "", {}};
    const std::pair<std::vector<Finding>, int> cases[] = {
        {{warning, answered}, 0},
        {{problem, answered}, 0},  // the radio answered all the same
        {{warning, none}, 4},
        {{wrong}, 4},
        {{problem, held}, 3},
        {{problem, none}, 3},  // the port's problem comes first
        {{warning, notRun}, 0},
        {{problem, notRun}, 3},
        {{{K::NoPortFound, S::Problem, "", {}}, notRun}, 3},
    };
    for (const auto& [findings, code] : cases)
        EXPECT_EQ(DoctorExitCode(findings), code) << Describe(findings);
}

// Every kind has its own text in both languages, with each detail and the device put in.
TEST(PortDoctor, EveryFindingIsSaidInBothLanguages) {
    std::map<std::string, int> seen;
    for (int k = 0; k <= static_cast<int>(K::NoAnswer); ++k) {
        const Finding f{static_cast<K>(k), S::Ok, "/dev/ttyX", {"a1", "b2", "c3"}};
        const Bilingual text = FindingText(f);
        EXPECT_FALSE(text.en.empty()) << k;
        EXPECT_NE(text.zh, text.en) << k;
        for (const std::string& t : {text.en, text.zh}) {
            EXPECT_EQ(t.find('%'), std::string::npos) << t;
            ++seen[t];
        }
    }
    for (const auto& [text, count] : seen) EXPECT_EQ(count, 1) << text;
    const std::vector<Finding> two = {{K::NotBusy, S::Ok, "/dev/a", {}},
                                      {K::NotBusy, S::Warning, "/dev/b", {}},
                                      {K::ExchangeNotRun, S::Note, "", {}}};
    EXPECT_EQ(
        DoctorReport(two, Language::English),
        "/dev/a:\n  [ok] no other program holds it\n/dev/b:\n  [warning] no other program "
        "holds it\n  [note] no port was chosen, so the radio was not asked: choose one (in the "
        "port window, or with --port on the command line)\n");
    EXPECT_EQ(DoctorReport(two, Language::Chinese).rfind("/dev/a:\n  [正常] 没有其他程序占用\n", 0),
              0u);
}

}  // namespace
}  // namespace varel::link
