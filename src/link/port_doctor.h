#pragma once
// The connection doctor: why the radio does not answer on a port. The checks read the system
// through a SystemView and give their findings as data, in a fixed order (the device, its USB
// adapter, permission, other programs holding it, services that take serial adapters, the
// kernel log, last the exchange with the radio); FindingText says each one, with what to do,
// in either language. Nothing here changes the system or runs a program: fixes are suggested
// commands only.
#include <optional>
#include <string>
#include <vector>

#include "image/language.h"
#include "link/port_problem.h"
#include "link/system_view.h"
#include "link/transfer_actions.h"

namespace varel::link {

/// What a finding is about; its details (in order) are given with each kind.
enum class FindingKind {
    DeviceMissing,          ///< the device file does not exist
    NotSerial,              ///< the path is no character device
    DevicePresent,          ///< the device exists; details: the resolved device
    Adapter,                ///< a USB adapter; details: vendor:product, driver, chip
    SuspectChip,            ///< a chip known to misbehave; details: chip, vendor:product
    Accessible,             ///< the user may open it; details: owner group
    NoPermission,           ///< the user is not in the owner group; details: group
    NeedsNewLogin,          ///< added to the group, not yet in this session; details: group
    GroupDenied,            ///< in the group, but the device refuses the group; details: group
    LockedBy,               ///< a lock file of a running process; details: pid, program, lock file
    StaleLock,              ///< a lock file of a finished process; details: lock file, pid
    OpenBy,                 ///< a process holds the device open; details: pid, program
    PtyOpenBy,              ///< a process holds a pseudo-terminal open; details: pid, program
    BrailleHolds,           ///< the braille display service holds the device; details: pid
    NotBusy,                ///< no lock and no other process holds it
    BrailleRunning,         ///< the braille display service runs
    ModemManagerRunning,    ///< ModemManager runs
    BrailleInKernelLog,     ///< the kernel log shows the braille service claiming an adapter
    DisconnectInKernelLog,  ///< the kernel log shows the adapter disconnected; details: name
    KernelLogQuiet,         ///< the kernel log says nothing against the device
    KernelLogSkipped,       ///< the kernel log was refused to this user
    NoPortFound,            ///< no mapped port exists
    ExchangeNotRun,         ///< no port was chosen, so the radio was not asked
    PortUnusable,           ///< the exchange could not open the port; details: the reason
    RadioAnswered,          ///< details: model, band digit ("" when not decimal)
    WrongModel,             ///< an identification of another model; details: model, hex text
    NoAnswer,               ///< the radio did not answer in time
};

/// How much a finding matters.
enum class Severity {
    Ok,       ///< all is well
    Note,     ///< worth knowing, nothing to do
    Warning,  ///< may be the cause
    Problem,  ///< stands in the way
};

/// One finding of the doctor.
struct Finding {
    FindingKind kind = FindingKind::NotBusy;  ///< what it is about
    Severity severity = Severity::Ok;         ///< how much it matters
    std::string device;                       ///< the device path it concerns ("" for none)
    std::vector<std::string> details;         ///< its values, in the order of the kind
    bool operator==(const Finding& o) const {
        return kind == o.kind && severity == o.severity && device == o.device &&
               details == o.details;
    }
};

/// How the exchange with the radio went.
struct ExchangeResult {
    PortProblem problem = PortProblem::None;  ///< why the port could not be opened
    Outcome outcome = Outcome::Pending;       ///< the machine's end
    std::string model;                        ///< the identification's model text
    std::string identification;               ///< its hex text
    std::optional<int> band;                  ///< its band digit
    bool rightModel = false;                  ///< it names this radio's model
};

/// The system checks of one device, in order. A missing or non-serial device skips the
/// checks that need it, but the services and the kernel log are still looked at.
std::vector<Finding> CheckPort(const SystemView& system, const std::string& device);

/// The system checks of every device that exists among devices (each port's), one after the
/// other; NoPortFound when none exists.
std::vector<Finding> CheckPorts(const SystemView& system, const std::vector<std::string>& devices);

/// The finding of an exchange on device.
Finding ExchangeFinding(const std::string& device, const ExchangeResult& result);

/// The exit code of varel-cli doctor for the findings: 0 the radio answered (or nothing stands
/// in the way when it was not asked), 3 a port problem, 4 no answer or a wrong model.
int DoctorExitCode(const std::vector<Finding>& findings);

/// The finding said in both languages, with what to do.
Bilingual FindingText(const Finding& finding);

/// The severity as a short word ("problem").
Bilingual SeverityText(Severity severity);

/// The findings as text: for each device a line with it and its findings below, each
/// "  [severity] text".
std::string DoctorReport(const std::vector<Finding>& findings, Language lang);

}  // namespace varel::link
