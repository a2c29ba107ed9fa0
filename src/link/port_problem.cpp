#include "link/port_problem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "link/port_lock.h"

namespace varel::link {

namespace {

PortProblem FromOpenError(int err) {
    switch (err) {
        case EBUSY:  // held in exclusive mode
            return PortProblem::Busy;
        case EACCES:
        case EPERM:
        case EROFS:
            return PortProblem::NoPermission;
        default:  // ENOENT, ENXIO, ENODEV, EIO: nothing answers behind the device file
            return PortProblem::NoSuchDevice;
    }
}

}  // namespace

PortProblem DiagnosePort(const std::string& device) {
    struct stat st {};
    if (device.empty() || ::stat(device.c_str(), &st) != 0)
        return !device.empty() && errno == EACCES ? PortProblem::NoPermission
                                                  : PortProblem::NoSuchDevice;
    if (!S_ISCHR(st.st_mode)) return PortProblem::NotSerial;
    if (::access(device.c_str(), R_OK | W_OK) != 0) return FromOpenError(errno);
    if (IsPortLocked(device, false)) return PortProblem::Busy;
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return FromOpenError(errno);
    termios settings{};
    const bool terminal = ::tcgetattr(fd, &settings) == 0;
    ::close(fd);
    return terminal ? PortProblem::None : PortProblem::NotSerial;
}

std::string PortProblemText(PortProblem problem, Language lang) {
    switch (problem) {
        case PortProblem::None:
            return {};
        case PortProblem::NoSuchDevice:
            return Pick(lang, "设备不存在", "no such device");
        case PortProblem::Busy:
            return Pick(lang, "正被其他程序占用", "busy in another program");
        case PortProblem::NoPermission:
            return Pick(lang, "没有访问权限，用户需要加入 dialout 组",
                        "no permission, the user must be in the dialout group");
        case PortProblem::NotSerial:
            return Pick(lang, "不是串口设备", "not a serial device");
    }
    return {};
}

}  // namespace varel::link
