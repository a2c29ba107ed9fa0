// The doctor's findings in both languages, each with what to do.
#include <sstream>

#include "link/port_doctor.h"

namespace varel::link {

namespace {

// The text of a kind; %1, %2 ... are its details, %D the device.
Bilingual KindText(FindingKind kind) {
    switch (kind) {
        case FindingKind::DeviceMissing:
            return {
                "%D does not exist: plug the cable in (fully), or choose the port it "
                "appears as",
                "%D 不存在：请插好编程线，或选择它所对应的端口"};
        case FindingKind::NotSerial:
            return {"%D is not a serial device: choose the port of the programming cable",
                    "%D 不是串口设备：请选择编程线所对应的端口"};
        case FindingKind::DevicePresent:
            return {"the device exists (%1)", "设备存在（%1）"};
        case FindingKind::Adapter:
            return {"USB adapter %1, driver %2, chip %3", "USB 转换器 %1，驱动 %2，芯片 %3"};
        case FindingKind::SuspectChip:
            return {
                "the %1 chip (%2) is known to misbehave with some cables: if transfers "
                "fail, try another cable",
                "%1 芯片（%2）与某些编程线配合时会出错：若传输失败，请换一根编程线"};
        case FindingKind::Accessible:
            return {"you may read and write it (group %1)", "您有读写权限（%1 组）"};
        case FindingKind::NoPermission:
            return {
                "the device belongs to group %1 and you are not in it: run "
                "`sudo usermod -aG %1 $USER`, then log out and in again",
                "设备属于 %1 组，而您不在该组：请运行 `sudo usermod -aG %1 $USER`，"
                "然后重新登录"};
        case FindingKind::NeedsNewLogin:
            return {
                "you were added to group %1, but this session began before that: log out "
                "and in again",
                "您已加入 %1 组，但本次登录早于此：请重新登录"};
        case FindingKind::GroupDenied:
            return {
                "you are in group %1, but the device does not let the group read and write "
                "it: ask the administrator of the computer",
                "您在 %1 组中，但设备不允许该组读写：请询问计算机管理员"};
        case FindingKind::LockedBy:
            return {"process %1 (%2) holds the port (lock file %3): close that program",
                    "进程 %1（%2）占用该端口（锁文件 %3）：请关闭该程序"};
        case FindingKind::StaleLock:
            return {
                "the lock file %1 is left from process %2, which has ended: opening the "
                "port removes it",
                "锁文件 %1 是已结束的进程 %2 留下的：打开端口时会自动删除"};
        case FindingKind::OpenBy:
            return {"process %1 (%2) has the device open: close that program",
                    "进程 %1（%2）已打开该设备：请关闭该程序"};
        case FindingKind::PtyOpenBy:
            return {
                "process %1 (%2) has the pseudo-terminal open, as the program on its other "
                "end (a virtual radio) does",
                "进程 %1（%2）已打开该伪终端，其另一端的程序（如虚拟电台）本应如此"};
        case FindingKind::BrailleHolds:
            return {
                "the braille display service brltty (process %1) has taken the device: if "
                "you use no braille display, run `sudo systemctl mask --now brltty-udev.service "
                "brltty.service` and plug the cable in again",
                "盲文显示服务 brltty（进程 %1）占用了该设备：若您不使用盲文显示器，请运行 "
                "`sudo systemctl mask --now brltty-udev.service brltty.service`，然后重新插入"
                "编程线"};
        case FindingKind::NotBusy:
            return {"no other program holds it", "没有其他程序占用"};
        case FindingKind::BrailleRunning:
            return {
                "the braille display service brltty is running; it takes some USB serial "
                "adapters (CH34x, CP210x) for braille displays: if the device disappears "
                "after plugging in and you use no braille display, run `sudo systemctl mask "
                "--now brltty-udev.service brltty.service`",
                "盲文显示服务 brltty 正在运行，它会把某些 USB 串口转换器（CH34x、CP210x）当作"
                "盲文显示器占用：若插入后设备消失且您不使用盲文显示器，请运行 `sudo systemctl "
                "mask --now brltty-udev.service brltty.service`"};
        case FindingKind::ModemManagerRunning:
            return {
                "ModemManager is running; it probes new serial devices and can garble the "
                "first bytes: the udev rule that Wavesmith installs keeps it away from "
                "programming cables; without it, run `sudo systemctl stop ModemManager` "
                "while programming",
                "ModemManager 正在运行，它会探测新的串口设备并可能打乱最初的数据：Wavesmith "
                "安装的 udev 规则可使其避开编程线；若未安装该规则，请在写频期间运行 "
                "`sudo systemctl stop ModemManager`"};
        case FindingKind::BrailleInKernelLog:
            return {
                "the kernel log shows the braille display service brltty claiming a USB "
                "serial adapter: if you use no braille display, run `sudo systemctl mask "
                "--now brltty-udev.service brltty.service` and plug the cable in again",
                "内核日志显示盲文显示服务 brltty 占用了 USB 串口转换器：若您不使用盲文显示器，"
                "请运行 `sudo systemctl mask --now brltty-udev.service brltty.service`，然后"
                "重新插入编程线"};
        case FindingKind::DisconnectInKernelLog:
            return {
                "the kernel log shows the adapter disconnected from %1: check that the "
                "plug is fully seated, or a service took it",
                "内核日志显示转换器已从 %1 断开：请检查插头是否插紧，或是否被某个服务占用"};
        case FindingKind::KernelLogQuiet:
            return {"the kernel log says nothing against it", "内核日志中没有相关问题"};
        case FindingKind::KernelLogSkipped:
            return {"the kernel log may not be read by this user: that check was skipped",
                    "当前用户无权读取内核日志：已跳过该项检查"};
        case FindingKind::NoPortFound:
            return {"no serial port exists: plug the programming cable in",
                    "没有任何串口：请插入编程线"};
        case FindingKind::ExchangeNotRun:
            return {
                "no port was chosen, so the radio was not asked: choose one (in the port "
                "window, or with --port on the command line)",
                "未选择端口，因此没有询问电台：请选择端口（在通信端口窗口中，或在命令行中用 "
                "--port 指定）"};
        case FindingKind::PortUnusable:
            return {"the port could not be opened: %1", "无法打开端口：%2"};
        case FindingKind::RadioAnswered:
            return {"the radio answered: %1, band %2", "电台已应答：%1，频段 %2"};
        case FindingKind::WrongModel:
            return {
                "a device answered as \"%1\" (%2), which is not this radio: choose the port "
                "of the programming cable and check the radio's model",
                "有设备以“%1”（%2）应答，但不是本电台：请选择编程线所对应的端口并检查电台型号"};
        case FindingKind::NoAnswer:
            return {
                "the radio did not answer: check that the cable is fully seated in the radio, "
                "the radio is on, and this is the right port",
                "电台没有应答：请检查编程线是否完全插入电台、电台是否已开机、端口是否正确"};
    }
    return {};
}

// The text in lang with the details and the device put in.
std::string Fill(const Finding& f, Language lang, const Bilingual& b) {
    std::string out = b.format(lang, f.details);
    for (std::size_t at; (at = out.find("%D")) != std::string::npos;) out.replace(at, 2, f.device);
    return out;
}

}  // namespace

Bilingual FindingText(const Finding& finding) {
    const Bilingual text = KindText(finding.kind);
    return {Fill(finding, Language::English, text), Fill(finding, Language::Chinese, text)};
}

Bilingual SeverityText(Severity severity) {
    switch (severity) {
        case Severity::Ok:
            return {"ok", "正常"};
        case Severity::Note:
            return {"note", "提示"};
        case Severity::Warning:
            return {"warning", "警告"};
        case Severity::Problem:
            return {"problem", "问题"};
    }
    return {};
}

std::string DoctorReport(const std::vector<Finding>& findings, Language lang) {
    std::ostringstream out;
    std::string device = "\n";  // no finding has a newline for its device
    for (const auto& f : findings) {
        if (f.device != device) {
            device = f.device;
            if (!device.empty()) out << device << ":\n";
        }
        out << "  [" << SeverityText(f.severity).in(lang) << "] " << FindingText(f).in(lang)
            << "\n";
    }
    return out.str();
}

}  // namespace varel::link
