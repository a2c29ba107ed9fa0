// The serial side: port numbers, their devices and the environment overrides; one program at a
// time on a device, whatever name reaches it, with the lock files of running and of vanished
// processes; the reasons a port cannot be opened; and the serial adapter and port probe over a
// pseudo-terminal, with the virtual radio's protocol answering in-process.
#include "link/serial_transfer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "link/port_lock.h"
#include "link/port_map.h"
#include "link/port_probe.h"
#include "link/read_machine.h"
#include "link/write_machine.h"
#include "sim/pty.h"
#include "sim/radio_protocol.h"
#include "support/as_nobody.h"
#include "support/pattern_image.h"
#include "support/temp_dir.h"

namespace varel::link {
namespace {

// The one application object of the serial tests (Qt allows one per process).
QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "serial_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

EnvLookup FakeEnv(std::map<std::string, std::string> vars) {
    return [vars](const std::string& name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        if (it == vars.end()) return std::nullopt;
        return it->second;
    };
}

// An override names one port's device; an empty one, or one of a port that does not exist,
// counts for nothing.
TEST(PortMap, NumbersMapToTheirDevicesAndTheEnvironmentOverridesOnePort) {
    const auto env = FakeEnv({{"VAREL_COM1", "/dev/pts/5"},
                              {"VAREL_COM2", ""},
                              {"VAREL_COM21", "/dev/pts/9"},
                              {"VAREL_COM", "/dev/pts/7"}});
    // clang-format off
    const std::pair<int, const char*> cases[] = {
        {1, "/dev/ttyUSB0"}, {2, "/dev/ttyUSB1"}, {8, "/dev/ttyUSB7"}, {9, "/dev/ttyACM0"},
        {12, "/dev/ttyACM3"}, {13, "/dev/ttyS0"}, {20, "/dev/ttyS7"}, {0, ""}, {21, ""}, {-1, ""}};
    // clang-format on
    for (const auto& [port, device] : cases) {
        EXPECT_EQ(DefaultPortDevice(port), device) << port;
        EXPECT_EQ(PortDevice(port, FakeEnv({})), device) << port;
        EXPECT_EQ(PortDevice(port, env), port == 1 ? "/dev/pts/5" : device) << port;
    }
    ASSERT_EQ(setenv("VAREL_COM17", "/dev/pts/42", 1), 0);  // the process's own environment
    EXPECT_EQ(PortDevice(17), "/dev/pts/42");
    unsetenv("VAREL_COM17");
    EXPECT_EQ(PortDevice(17), "/dev/ttyS4");
}

TEST(PortMap, PortArgumentIsAPortNameANumberOrAnExistingPath) {
    const auto env = FakeEnv({{"VAREL_COM3", "/dev/pts/3"}});
    // The device the argument names; none when it is invalid.
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"1", "/dev/ttyUSB0"}, {"3", "/dev/pts/3"}, {"07", "/dev/ttyUSB6"}, {"20", "/dev/ttyS7"},
        {"com3", "/dev/pts/3"}, {"COM20", "/dev/ttyS7"}, {"/dev/null", "/dev/null"},
        {"00001", "/dev/ttyUSB0"}, {"0", ""}, {"21", ""}, {"000", ""}, {"120", ""},
        {"99999999999999999999", ""}, {"Com21", ""}, {"Com1x", ""},
        {"/nonexistent/ttyVAREL", ""}, {"ttyS1", ""}, {"", ""}};
    // clang-format on
    for (const auto& [text, device] : cases) {
        const PortArgument arg = ResolvePortArgument(text, env);
        const bool valid = *device != '\0';
        EXPECT_EQ(arg.valid, valid) << text;
        if (valid) {
            EXPECT_EQ(arg.device, device) << text;
        }
    }
}

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

// Another running program's lock on the device itself keeps the port busy under every name
// that leads there (a link, a link to a link, the port whose variable names the link), for the
// open and for the diagnosis alike, and the lock is left in place.
TEST_F(PortLock, AnotherProgramsLockOnTheResolvedDeviceMakesALinkedPortBusy) {
    const std::string link = dir.file("radio");
    const std::string chain = dir.file("cable");
    fs::create_symlink(device, link);
    fs::create_symlink(link, chain);
    ASSERT_EQ(setenv("VAREL_COM3", link.c_str(), 1), 0);
    for (const pid_t owner : {pid_t{1}, getppid()}) {
        ASSERT_NE(owner, getpid());
        WriteLock(lock, owner);
        for (const std::string& name : {link, chain}) {
            QSerialPort port;
            PortProblem problem = PortProblem::None;
            EXPECT_FALSE(OpenComDevice(port, Q(name), &problem)) << name << " " << owner;
            EXPECT_EQ(problem, PortProblem::Busy) << name << " " << owner;
            EXPECT_EQ(DiagnosePort(name), PortProblem::Busy) << name << " " << owner;
        }
        QSerialPort port;
        PortProblem problem = PortProblem::None;
        EXPECT_FALSE(OpenCom(port, 3, &problem)) << owner;
        EXPECT_EQ(problem, PortProblem::Busy) << owner;
        std::ifstream held(lock);
        pid_t kept = 0;
        EXPECT_TRUE(held >> kept);
        EXPECT_EQ(kept, owner);
    }
    unsetenv("VAREL_COM3");
}

TEST_F(PortLock, ReasonsAPortCannotBeOpened) {
    const std::string file = dir.file("plain");
    std::ofstream(file) << "x";
    const std::tuple<std::string, PortProblem> cases[] = {
        {device, PortProblem::None},
        {dir.file("missing"), PortProblem::NoSuchDevice},
        {file, PortProblem::NotSerial},
        {"/dev/null", PortProblem::NotSerial},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(DiagnosePort(path), expected) << path;
        QSerialPort port;
        PortProblem problem = PortProblem::Busy;
        OpenComDevice(port, Q(path), &problem);
        EXPECT_EQ(problem, expected) << path;
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

using Bytes = std::vector<std::uint8_t>;

// Runs the event loop until done() holds or timeoutMs pass; false on timeout.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
    App();
    QTimer wake;  // bounds every wait for an event
    wake.start(10);
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + ts.tv_nsec / 1e9;
}

// A pseudo-terminal whose far end is driven by the test: either the virtual radio's protocol
// or nothing (the test writes and reads the master itself).
class PtyLine {
public:
    explicit PtyLine(std::optional<sim::RadioOptions> radio = sim::RadioOptions()) {
        std::string error;
        ok = line.openPseudoTerminal(error);
        if (!ok) return;
        fcntl(line.fd(), F_SETFL, fcntl(line.fd(), F_GETFL) | O_NONBLOCK);
        if (radio) {
            protocol = std::make_unique<sim::RadioProtocol>(memory, *radio);
            notifier = std::make_unique<QSocketNotifier>(line.fd(), QSocketNotifier::Read);
            QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] { serve(); });
        }
    }
    QString device() const { return QString::fromStdString(line.devicePath()); }
    void send(const Bytes& bytes) {
        ASSERT_EQ(write(line.fd(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Everything the tool sent that the test has not taken yet.
    Bytes take() {
        Bytes all;
        std::uint8_t buf[256];
        ssize_t n;
        while ((n = read(line.fd(), buf, sizeof buf)) > 0) all.insert(all.end(), buf, buf + n);
        return all;
    }
    void unplug() {
        notifier.reset();
        line.close();
    }

    bool ok = false;
    sim::RadioLine line;
    sim::RadioMemory memory;
    std::unique_ptr<sim::RadioProtocol> protocol;

private:
    void serve() {
        for (std::uint8_t byte : take()) {
            for (const auto& w : protocol->feed(byte).writes) send(w);
        }
    }
    std::unique_ptr<QSocketNotifier> notifier;
};

// A machine that records what reaches it and answers with scripted actions.
class ScriptedMachine : public TransferMachine {
public:
    Actions onStart;
    std::vector<Actions> onReceive;  // answers to the deliveries, in order
    std::vector<Bytes> deliveries;

    Actions start() override { return onStart; }
    Actions received(const std::uint8_t* data, std::size_t size) override {
        deliveries.emplace_back(data, data + size);
        return deliveries.size() <= onReceive.size() ? onReceive[deliveries.size() - 1] : Actions();
    }
    Actions tick() override { return {}; }
    Actions answerBandQuestion(bool) override { return {}; }
    Actions interrupt() override { return {}; }
    Outcome outcome() const override { return Outcome::Pending; }
};

// Records the signals of a transfer.
struct Recorder {
    explicit Recorder(SerialTransfer& t) {
        QObject::connect(&t, &SerialTransfer::progressChanged,
                         [this](int v) { progress.push_back(v); });
        QObject::connect(&t, &SerialTransfer::finished, [this, &t](Outcome o) {
            outcomes.push_back(o);
            portOpenAtFinish = t.port().isOpen();
        });
    }
    bool done() const { return !outcomes.empty(); }
    std::vector<int> progress;
    std::vector<Outcome> outcomes;
    bool portOpenAtFinish = true;
};

TEST(SerialTransfer, ReadsTheWholeMemoryIncludingTheSpareByte) {
    App();
    PtyLine radio;
    ASSERT_TRUE(radio.ok);
    radio.memory = sim::RadioMemory(test::PatternImage());
    MemoryImage in;
    ReadMachine machine(in);
    SerialTransfer transfer;
    Recorder rec(transfer);
    ASSERT_TRUE(transfer.start(radio.device(), machine));
    EXPECT_TRUE(transfer.isRunning());
    ASSERT_TRUE(WaitFor([&] { return rec.done(); }));
    EXPECT_EQ(rec.outcomes, std::vector<Outcome>{Outcome::Success});
    EXPECT_FALSE(rec.portOpenAtFinish);
    EXPECT_FALSE(transfer.isRunning());
    EXPECT_EQ(in, test::PatternImage());
    ASSERT_FALSE(rec.progress.empty());
    EXPECT_EQ(rec.progress.back(), 196);
    // No second ending arrives later.
    WaitFor([] { return false; }, 200);
    EXPECT_EQ(rec.outcomes.size(), 1u);
}

TEST(SerialTransfer, WritesTheScheduleAndAnswersTheBandQuestionFromTheSignal) {
    App();
    for (bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        sim::RadioOptions options;
        options.band = 1;
        PtyLine radio(options);
        ASSERT_TRUE(radio.ok);
        const MemoryImage out = test::PatternImage();
        WriteMachine machine(out, WriteOptions{0, true, true});
        SerialTransfer transfer;
        Recorder rec(transfer);
        int questions = 0;
        QObject::connect(&transfer, &SerialTransfer::bandQuestion, [&] {
            ++questions;
            transfer.answerBandQuestion(ok);  // answered at once, from within the signal
        });
        ASSERT_TRUE(transfer.start(radio.device(), machine));
        ASSERT_TRUE(WaitFor([&] { return rec.done(); }));
        EXPECT_EQ(questions, 1);
        EXPECT_EQ(rec.outcomes, std::vector<Outcome>{ok ? Outcome::Success : Outcome::Cancelled});
        EXPECT_FALSE(rec.portOpenAtFinish);
        const MemoryImage& stored = radio.memory.image();
        EXPECT_EQ(stored.at(0x000), ok ? out.at(0x000) : 0);
        EXPECT_EQ(stored.at(0x7E0), ok ? out.at(0x7E0) : 0);  // debug mode: tuning written
        EXPECT_EQ(stored.at(0x7C0), 0);                       // never written
        EXPECT_EQ(stored.at(0xC00), ok ? out.at(0xC00) : 0);
    }
}

TEST(SerialTransfer, DeliversOnlyOnceTheThresholdIsBuffered) {
    App();
    PtyLine line(std::nullopt);
    ASSERT_TRUE(line.ok);
    ScriptedMachine machine;
    machine.onStart.threshold = 20;
    Actions toOne;
    toOne.threshold = 1;
    machine.onReceive = {toOne};
    SerialTransfer transfer;
    ASSERT_TRUE(transfer.start(line.device(), machine));

    line.send(Bytes(5, 0xA5));
    ASSERT_TRUE(WaitFor([&] { return transfer.port().bytesAvailable() == 5; }));
    EXPECT_TRUE(machine.deliveries.empty());
    line.send(Bytes(15, 0x5A));
    ASSERT_TRUE(WaitFor([&] { return !machine.deliveries.empty(); }));
    Bytes expected(5, 0xA5);
    expected.insert(expected.end(), 15, 0x5A);
    EXPECT_EQ(machine.deliveries, std::vector<Bytes>{expected});  // all 20 at once

    line.send({0x06});  // the threshold is 1 again
    ASSERT_TRUE(WaitFor([&] { return machine.deliveries.size() == 2; }));
    EXPECT_EQ(machine.deliveries[1], Bytes{0x06});
}

// The trace sees every output call and each piece as it arrives, also one below the
// threshold that the machine gets only later, with the injected clock's times; the machine gets
// exactly what it gets without a trace.
TEST(SerialTransfer, TheTraceTapsBothWaysAsThePiecesArrive) {
    App();
    PtyLine line(std::nullopt);
    ASSERT_TRUE(line.ok);
    ScriptedMachine machine;
    const Bytes wake = {'P', 'R', 'O', 'G', 'R', 'A', 'M'};
    machine.onStart.writes = {wake, {0x02}};
    machine.onStart.threshold = 20;
    Actions toOne;
    toOne.threshold = 1;
    machine.onReceive = {toOne};
    double now = 40.0;
    TraceRecorder recorder([&] { return now += 0.25; });
    recorder.start("read", line.device().toStdString());
    SerialTransfer transfer;
    transfer.setTrace(&recorder);
    ASSERT_TRUE(transfer.start(line.device(), machine));

    line.send(Bytes(5, 0xA5));
    ASSERT_TRUE(WaitFor([&] { return recorder.trace().events.size() == 3; }));
    EXPECT_TRUE(machine.deliveries.empty());
    line.send(Bytes(15, 0x5A));
    ASSERT_TRUE(WaitFor([&] { return !machine.deliveries.empty(); }));
    line.send({0x06});
    ASSERT_TRUE(WaitFor([&] { return machine.deliveries.size() == 2; }));
    Bytes twenty(5, 0xA5);
    twenty.insert(twenty.end(), 15, 0x5A);
    EXPECT_EQ(machine.deliveries, (std::vector<Bytes>{twenty, {0x06}}));
    EXPECT_EQ(line.take(), (Bytes{'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x02}));

    const std::vector<TraceEvent>& events = recorder.trace().events;
    ASSERT_EQ(events.size(), 5u);
    const std::pair<bool, Bytes> expected[] = {{true, wake},
                                               {true, {0x02}},
                                               {false, Bytes(5, 0xA5)},
                                               {false, Bytes(15, 0x5A)},
                                               {false, {0x06}}};
    for (std::size_t i = 0; i < events.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(events[i].sent, expected[i].first);
        EXPECT_EQ(events[i].bytes, expected[i].second);
        EXPECT_DOUBLE_EQ(events[i].seconds, 0.25 * static_cast<double>(i + 1));
    }
}

TEST(SerialTransfer, DiscardsStaleInputAndSendsEveryOutputCall) {
    App();
    PtyLine line(std::nullopt);
    ASSERT_TRUE(line.ok);
    line.send({0x06, 0x06, 0x57});  // left over from an earlier session
    ScriptedMachine machine;
    machine.onStart.writes = {{'P', 'R', 'O', 'G', 'R', 'A', 'M'}, {0x02}, {0x45}};
    SerialTransfer transfer;
    ASSERT_TRUE(transfer.start(line.device(), machine));
    Bytes sent;
    ASSERT_TRUE(WaitFor([&] {
        const Bytes more = line.take();
        sent.insert(sent.end(), more.begin(), more.end());
        return sent.size() >= 9;
    }));
    EXPECT_EQ(sent, (Bytes{'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x02, 0x45}));
    line.send({0x33});
    ASSERT_TRUE(WaitFor([&] { return !machine.deliveries.empty(); }));
    EXPECT_EQ(machine.deliveries[0], Bytes{0x33});
}

TEST(SerialTransfer, UnpluggedLineClosesThePortAndTimesOutWithoutSpinning) {
    App();
    sim::RadioOptions options;
    options.exitAfter = 10;
    PtyLine radio(options);
    ASSERT_TRUE(radio.ok);
    MemoryImage in;
    ReadMachine machine(in);
    SerialTransfer transfer;
    Recorder rec(transfer);
    ASSERT_TRUE(transfer.start(radio.device(), machine));
    ASSERT_TRUE(WaitFor([&] { return radio.protocol->unplugDue(); }));
    radio.unplug();
    const double cpuBefore = CpuSeconds();
    ASSERT_TRUE(WaitFor([&] { return !transfer.port().isOpen(); }, 2000));
    EXPECT_FALSE(rec.done());  // the port is gone, but the ending is the reply timeout's
    ASSERT_TRUE(WaitFor([&] { return rec.done(); }));
    EXPECT_EQ(rec.outcomes, std::vector<Outcome>{Outcome::CommunicationError});
    // About 600 ms pass until the timeout; a loop on the dead descriptor would burn them.
    EXPECT_LT(CpuSeconds() - cpuBefore, 0.3);
}

TEST(SerialTransfer, StartFailsForAMissingDeviceOrWhileRunning) {
    App();
    ScriptedMachine machine;
    SerialTransfer transfer;
    Recorder rec(transfer);
    EXPECT_FALSE(transfer.start("/nonexistent/ttyVAREL", machine));
    EXPECT_FALSE(transfer.isRunning());
    EXPECT_FALSE(transfer.port().isOpen());

    PtyLine line(std::nullopt);
    ASSERT_TRUE(line.ok);
    ASSERT_TRUE(transfer.start(line.device(), machine));
    EXPECT_FALSE(transfer.start(line.device(), machine));
    EXPECT_TRUE(transfer.isRunning());
    EXPECT_TRUE(rec.outcomes.empty());
}

// Which ports opened, index 0 for port 1.
std::vector<bool> Openable(const PortAvailability& ports) {
    std::vector<bool> openable;
    for (const auto& port : ports) openable.push_back(port.openable);
    return openable;
}

TEST(PortProbe, FindsExactlyTheOpenablePortsAndHoldsNoneOpen) {
    App();
    PtyLine one(std::nullopt);
    PtyLine three(std::nullopt);
    ASSERT_TRUE(one.ok && three.ok);
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        const std::string value = n == 1   ? one.line.devicePath()
                                  : n == 3 ? three.line.devicePath()
                                  : n == 5 ? "/dev/null"  // a device, but not a serial one
                                           : "/nonexistent/ttyVAREL" + std::to_string(n);
        setenv(PortOverrideVariable(n).c_str(), value.c_str(), 1);
    }
    std::vector<bool> expected(kLastPort, false);
    expected[0] = expected[2] = true;
    PortAvailability ports = FindCom();
    EXPECT_EQ(Openable(ports), expected);
    EXPECT_EQ(ports[0].device, one.line.devicePath());
    EXPECT_EQ(ports[0].problem, PortProblem::None);
    EXPECT_EQ(ports[1].device, "/nonexistent/ttyVAREL2");
    EXPECT_EQ(ports[1].problem, PortProblem::NoSuchDevice);
    EXPECT_EQ(ports[4].problem, PortProblem::NotSerial);

    // Nothing was left open: the port opens again, and while it is held the probe skips it.
    QSerialPort held;
    ASSERT_TRUE(OpenCom(held, 1));
    EXPECT_EQ(held.baudRate(), 9600);
    expected[0] = false;
    ports = FindCom();
    EXPECT_EQ(Openable(ports), expected);
    EXPECT_EQ(ports[0].problem, PortProblem::Busy);
    held.close();
    QSerialPort none;
    PortProblem problem = PortProblem::None;
    EXPECT_FALSE(OpenCom(none, 0, &problem));
    EXPECT_EQ(problem, PortProblem::NoSuchDevice);
    EXPECT_FALSE(OpenCom(none, 21));
    for (int n = kFirstPort; n <= kLastPort; ++n) unsetenv(PortOverrideVariable(n).c_str());
}

}  // namespace
}  // namespace varel::link
