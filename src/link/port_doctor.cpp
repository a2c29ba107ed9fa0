#include "link/port_doctor.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>

#include "link/port_lock.h"

namespace varel::link {

namespace {

/// A chip of USB serial adapters, by its vendor:product.
struct Chip {
    const char* id;
    const char* name;
    bool misbehaves;  // known to misbehave with some cables
};

// Kept small: the chips of programming cables. The PL2303 id is also worn by many counterfeit
// chips, and the old CH341 id by early chips; both are known to misbehave with some cables.
const Chip kChips[] = {
    {"1a86:7523", "CH340", false},    {"1a86:7522", "CH340", false},  {"1a86:5523", "CH341", true},
    {"1a86:55d4", "CH9102", false},   {"10c4:ea60", "CP210x", false}, {"067b:2303", "PL2303", true},
    {"067b:23a3", "PL2303GC", false}, {"0403:6001", "FT232R", false}, {"0403:6015", "FT-X", false},
};

std::string Trim(const std::string& text) {
    const auto begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1);
}

std::string BaseName(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

std::string Parent(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

bool IsNumber(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// The program name of a running process (its comm), "" when unknown.
std::string ProgramOf(const SystemView& system, const std::string& pid) {
    return Trim(system.readText("/proc/" + pid + "/comm").value_or(""));
}

// The ids of the running processes.
std::vector<std::string> Processes(const SystemView& system) {
    std::vector<std::string> pids;
    for (const auto& name : system.list("/proc"))
        if (IsNumber(name)) pids.push_back(name);
    return pids;
}

bool Running(const SystemView& system, const std::string& program) {
    const auto pids = Processes(system);
    return std::any_of(pids.begin(), pids.end(),
                       [&](const std::string& pid) { return ProgramOf(system, pid) == program; });
}

void Add(std::vector<Finding>& out, FindingKind kind, Severity severity, const std::string& device,
         std::vector<std::string> details = {}) {
    out.push_back({kind, severity, device, std::move(details)});
}

// The USB adapter behind a tty: the first folder above its sysfs device with an idVendor.
void CheckAdapter(const SystemView& system, const std::string& device, const std::string& tty,
                  std::vector<Finding>& out) {
    const std::string link = "/sys/class/tty/" + tty + "/device";
    if (!system.exists(link)) return;
    const std::string driver = BaseName(system.readLink(link + "/driver"));
    std::string folder = system.resolve(link);
    for (int up = 0; up < 4 && folder != "/"; ++up, folder = Parent(folder)) {
        const auto vendor = system.readText(folder + "/idVendor");
        const auto product = system.readText(folder + "/idProduct");
        if (!vendor || !product) continue;
        const std::string id = Trim(*vendor) + ":" + Trim(*product);
        const Chip* chip = nullptr;  // unknown chips are shown as "?"
        for (const Chip& c : kChips)
            if (id == c.id) chip = &c;
        Add(out, FindingKind::Adapter, Severity::Ok, device,
            {id, driver, chip != nullptr ? chip->name : "?"});
        if (chip != nullptr && chip->misbehaves)
            Add(out, FindingKind::SuspectChip, Severity::Warning, device, {chip->name, id});
        return;
    }
}

void CheckPermission(const SystemView& system, const std::string& device, const NodeInfo& node,
                     std::vector<Finding>& out) {
    const std::string group = system.groupName(node.group);
    if (node.accessible) {
        Add(out, FindingKind::Accessible, Severity::Ok, device, {group});
        return;
    }
    const UserInfo user = system.user();
    const bool inGroup =
        std::find(user.groups.begin(), user.groups.end(), node.group) != user.groups.end();
    const auto members = system.groupMembers(group);
    const bool listed =
        !user.name.empty() && std::find(members.begin(), members.end(), user.name) != members.end();
    const FindingKind kind = inGroup  ? FindingKind::GroupDenied
                             : listed ? FindingKind::NeedsNewLogin
                                      : FindingKind::NoPermission;
    Add(out, kind, Severity::Problem, device, {group});
}

void CheckBusy(const SystemView& system, const std::string& device, const std::string& resolved,
               std::vector<Finding>& out) {
    std::set<std::string> seen;  // the same lock is often reached through two folders
    const std::size_t before = out.size();
    for (const std::string& folder : LockFolders()) {
        for (const auto& name : {LockFileName(device), LockFileName(resolved)}) {
            const std::string path = folder + "/" + name;
            const auto text = system.readText(path);
            const pid_t owner = text ? ParseLockOwner(*text) : 0;
            if (owner <= 0 || !seen.insert(std::to_string(owner)).second) continue;
            const std::string pid = std::to_string(owner);
            if (system.exists("/proc/" + pid))
                Add(out, FindingKind::LockedBy, Severity::Problem, device,
                    {pid, ProgramOf(system, pid), path});
            else
                Add(out, FindingKind::StaleLock, Severity::Note, device, {path, pid});
        }
    }
    const std::string self = std::to_string(::getpid());
    for (const auto& pid : Processes(system)) {
        if (pid == self || seen.count(pid) != 0) continue;
        for (const auto& fd : system.list("/proc/" + pid + "/fd")) {
            const std::string target = system.readLink("/proc/" + pid + "/fd/" + fd);
            if (target != resolved && target != device) continue;
            const std::string program = ProgramOf(system, pid);
            if (program == "brltty")
                Add(out, FindingKind::BrailleHolds, Severity::Problem, device, {pid});
            else if (resolved.compare(0, 9, "/dev/pts/") == 0)
                // The other end of a pseudo-terminal (a virtual radio) keeps it open by design.
                Add(out, FindingKind::PtyOpenBy, Severity::Note, device, {pid, program});
            else
                Add(out, FindingKind::OpenBy, Severity::Problem, device, {pid, program});
            seen.insert(pid);
            break;
        }
    }
    bool held = false;
    for (std::size_t i = before; i < out.size(); ++i) held |= out[i].kind != FindingKind::StaleLock;
    if (!held) Add(out, FindingKind::NotBusy, Severity::Ok, device);
}

void CheckServices(const SystemView& system, const std::string& device, std::vector<Finding>& out) {
    if (Running(system, "brltty")) Add(out, FindingKind::BrailleRunning, Severity::Warning, device);
    if (Running(system, "ModemManager"))
        Add(out, FindingKind::ModemManagerRunning, Severity::Warning, device);
}

bool Contains(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

void CheckKernelLog(const SystemView& system, const std::string& device, const std::string& tty,
                    std::vector<Finding>& out) {
    const auto log = system.kernelLog();
    if (!log) {
        Add(out, FindingKind::KernelLogSkipped, Severity::Note, device);
        return;
    }
    bool braille = false;
    bool disconnected = false;
    std::istringstream lines(*log);
    for (std::string line; std::getline(lines, line);) {
        braille |= Contains(line, "brltty") && Contains(line, "claimed");
        disconnected |= !tty.empty() && Contains(line, "disconnected from " + tty);
    }
    if (braille) Add(out, FindingKind::BrailleInKernelLog, Severity::Problem, device);
    if (disconnected)
        Add(out, FindingKind::DisconnectInKernelLog, Severity::Warning, device, {tty});
    if (!braille && !disconnected) Add(out, FindingKind::KernelLogQuiet, Severity::Ok, device);
}

}  // namespace

std::vector<Finding> CheckPort(const SystemView& system, const std::string& device) {
    std::vector<Finding> out;
    const NodeInfo node = system.node(device);
    const std::string resolved = system.resolve(device);
    // The name the kernel gives the tty; also the name it had when it is gone now.
    const std::string tty = BaseName(resolved);
    if (!node.exists) {
        Add(out, FindingKind::DeviceMissing, Severity::Problem, device);
    } else if (!node.isChar) {
        Add(out, FindingKind::NotSerial, Severity::Problem, device);
    } else {
        Add(out, FindingKind::DevicePresent, Severity::Ok, device, {resolved});
        CheckAdapter(system, device, tty, out);
        CheckPermission(system, device, node, out);
        CheckBusy(system, device, resolved, out);
    }
    CheckServices(system, device, out);
    CheckKernelLog(system, device, tty, out);
    return out;
}

std::vector<Finding> CheckPorts(const SystemView& system, const std::vector<std::string>& devices) {
    std::vector<Finding> out;
    for (const auto& device : devices) {
        if (!system.node(device).exists) continue;
        const auto found = CheckPort(system, device);
        out.insert(out.end(), found.begin(), found.end());
    }
    if (out.empty()) Add(out, FindingKind::NoPortFound, Severity::Problem, "");
    return out;
}

Finding ExchangeFinding(const std::string& device, const ExchangeResult& result) {
    if (result.problem != PortProblem::None)
        return {FindingKind::PortUnusable,
                Severity::Problem,
                device,
                {PortProblemText(result.problem, Language::English),
                 PortProblemText(result.problem, Language::Chinese)}};
    if (result.outcome != Outcome::Success)
        return {FindingKind::NoAnswer, Severity::Problem, device, {}};
    if (!result.rightModel)
        return {FindingKind::WrongModel,
                Severity::Problem,
                device,
                {result.model, result.identification}};
    return {FindingKind::RadioAnswered,
            Severity::Ok,
            device,
            {result.model, result.band ? std::to_string(*result.band) : ""}};
}

int DoctorExitCode(const std::vector<Finding>& findings) {
    bool answered = false;
    bool silent = false;
    bool portProblem = false;
    for (const auto& f : findings) {
        answered |= f.kind == FindingKind::RadioAnswered;
        const bool exchange = f.kind == FindingKind::NoAnswer || f.kind == FindingKind::WrongModel;
        silent |= exchange;
        portProblem |= !exchange && f.severity == Severity::Problem;
    }
    if (answered) return 0;
    if (portProblem) return 3;
    return silent ? 4 : 0;
}

}  // namespace varel::link
