#pragma once
// Lock files of serial ports. Serial programs on Linux mark a device in use with a file
// "LCK..<name>" in a lock folder (/var/lock and a few others) that holds the owner's process id
// on its first line. Qt's serial port creates and removes such a file itself when it opens and
// closes a device, but it names it after the path it was given, so the same device reached
// through a symbolic link gets a second lock; and it deletes a lock whose owner is alive when
// the file does not name the owner's program as Qt would (a lock of another program). The
// functions here let the callers open every device under its resolved name and honour every
// lock whose owner runs.
#include <sys/types.h>

#include <string>
#include <vector>

namespace varel::link {

/// The folders serial programs keep their lock files in.
const std::vector<std::string>& LockFolders();

/// The process id on the first line of a lock file's text (decimal, maybe padded with
/// blanks); 0 when there is none.
pid_t ParseLockOwner(const std::string& content);

/// The device a path leads to, with every symbolic link resolved; empty when it does not
/// exist (or a folder on the way cannot be searched).
std::string ResolveDevice(const std::string& path);

/// Name of the lock file of a device path: "LCK.." and the path below /dev with every '/' as
/// '_' ("/dev/ttyUSB0" -> "LCK..ttyUSB0", "/dev/pts/3" -> "LCK..pts_3").
std::string LockFileName(const std::string& device);

/// The lock file that opening the device creates: LockFileName of the resolved device in the
/// first lock folder that can be read and written. Empty when there is none.
std::string LockFilePath(const std::string& device);

/// True when a running process holds a lock on the device, under its resolved name or the name
/// given. With breakStale, lock files whose owner is gone are removed on the way.
bool IsPortLocked(const std::string& device, bool breakStale);

}  // namespace varel::link
