#pragma once
// The line the virtual radio listens on: a new pseudo-terminal, or an existing device.
#include <string>

namespace varel::sim {

/// A raw serial-like line; the radio reads and writes fd().
class RadioLine {
public:
    RadioLine() = default;
    ~RadioLine();
    RadioLine(const RadioLine&) = delete;
    RadioLine& operator=(const RadioLine&) = delete;

    /// Opens a new pseudo-terminal in raw mode (no echo, no line editing). The radio keeps its
    /// own descriptor of the slave side open, so the master never sees a hang-up when the tool
    /// closes the port between sessions. False with error set on failure.
    bool openPseudoTerminal(std::string& error);
    /// Opens an existing character device (a serial port or a pty made elsewhere) and sets it
    /// raw; anything else is refused.
    bool openDevice(const std::string& path, std::string& error);
    /// Closes everything, as an unplugged cable would.
    void close();

    /// The descriptor the radio reads and writes (the master side of a pseudo-terminal).
    int fd() const { return m_fd; }
    /// The device the tool opens: the slave of the pseudo-terminal, or the device given.
    const std::string& devicePath() const { return m_path; }

private:
    int m_fd = -1;
    int m_slaveFd = -1;
    std::string m_path;
};

}  // namespace varel::sim
