#pragma once
// Whole-file reads and atomic replacement, shared by the data file and the channel list files.
// Failures are reported with the data file's error kinds, whose messages fit any file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/data_file.h"

namespace varel {

/// Reads at most maxBytes from the start of the file at path into bytes (which then holds
/// what was read). The file is opened without blocking, so a device chosen by mistake cannot
/// stall the caller; a pipe is read until its writer closes it. A named pipe that no program
/// has open for writing fails at once with CannotRead and NoPipeWriter (PipeOpen::NoWait), or
/// is waited for as a blocking open waits (PipeOpen::WaitForWriter); a pipe that gives no byte
/// at all fails the same way. Only a file that was read is left for the caller to judge.
DataFileResult ReadFilePrefix(const std::string& path, std::size_t maxBytes,
                              std::vector<std::uint8_t>& bytes, PipeOpen pipe = PipeOpen::NoWait);

/// A failed file operation with the system's reason: of the given kind, except that a full
/// disk or an exceeded quota (ENOSPC, EDQUOT) is always DiskFull, wherever in a save it struck.
DataFileResult SystemFailure(DataFileError error, int systemError);

/// Writes bytes to path, replacing an existing regular file atomically: the bytes go to a
/// temporary file in the same folder, which is flushed to disk and renamed over the target only
/// when everything was written; the replaced file's owner and permissions are kept as far as
/// the system allows. Symbolic links are followed (a link that leads nowhere creates the file
/// it names). Refused (CannotOpen) without writing anything: a file the user may not write, a
/// folder, a folder that does not exist or does not take new files. On failure the temporary
/// file is removed and an existing target keeps its contents. A target that exists but is not
/// a regular file (a device, a pipe) is written in place; a pipe that nobody reads fails at
/// once.
DataFileResult ReplaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

/// The checks ReplaceFile makes before it writes, alone: ok when a save to path can start.
DataFileResult CheckReplaceTarget(const std::string& path);

}  // namespace varel
