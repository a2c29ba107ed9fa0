#include "sim/pty.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace varel::sim {

namespace {

bool MakeRaw(int fd, std::string& error) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        error = std::string("cannot read the line settings: ") + std::strerror(errno);
        return false;
    }
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &tio) != 0) {
        error = std::string("cannot set the line raw: ") + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace

RadioLine::~RadioLine() {
    close();
}

bool RadioLine::openPseudoTerminal(std::string& error) {
    close();
    m_fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_fd < 0 || grantpt(m_fd) != 0 || unlockpt(m_fd) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        close();
        return false;
    }
    char name[256];
    if (ptsname_r(m_fd, name, sizeof name) != 0) {
        error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        close();
        return false;
    }
    m_path = name;
    m_slaveFd = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slaveFd < 0) {
        error = "cannot open " + m_path + ": " + std::strerror(errno);
        close();
        return false;
    }
    // The slave's settings are the line's settings: raw, so nothing is echoed back.
    if (!MakeRaw(m_slaveFd, error)) {
        close();
        return false;
    }
    return true;
}

bool RadioLine::openDevice(const std::string& path, std::string& error) {
    close();
    // Only a character device (a serial port, a terminal) can stand for the radio's line; a
    // file or a pipe would be read as if bytes came from the tool.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    if (!S_ISCHR(st.st_mode)) {
        error = path + " is not a character device";
        return false;
    }
    m_fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_fd < 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    m_path = path;
    if (isatty(m_fd) && !MakeRaw(m_fd, error)) {
        close();
        return false;
    }
    return true;
}

void RadioLine::close() {
    if (m_slaveFd >= 0) ::close(m_slaveFd);
    if (m_fd >= 0) ::close(m_fd);
    m_slaveFd = -1;
    m_fd = -1;
}

}  // namespace varel::sim
