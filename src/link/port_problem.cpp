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

Bilingual ProblemText(PortProblem problem) {
    switch (problem) {
        case PortProblem::None:
            break;
        case PortProblem::NoSuchDevice:
            return {"no such device", "设备不存在"};
        case PortProblem::Busy:
            return {"busy in another program", "正被其他程序占用"};
        case PortProblem::NoPermission:
            return {"no permission, the user must be in the dialout group",
                    "没有访问权限，用户需要加入 dialout 组"};
        case PortProblem::NotSerial:
            return {"not a serial device", "不是串口设备"};
    }
    return {};
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
    return ProblemText(problem).in(lang);
}

}  // namespace varel::link
