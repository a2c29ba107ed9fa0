#pragma once
// Backups of every image read from or written to the radio, so that a configuration is never
// lost: data files (data_file.h) in one folder, named by what they hold and when,
//
//   read-20240501-142233.dat     the image a read received, at 14:22:33 local time
//   write-20240501-142301.dat    the image a write was about to send
//   write-20240501-142301-2.dat  a second write within the same second
//
// Only the newest kBackupsKept of them are kept; files of any other name in the folder are
// never touched.
#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

#include "files/data_file.h"
#include "image/memory_image.h"

namespace varel {

/// Which transfer a backup belongs to.
enum class BackupKind {
    Read,   ///< the image a read received ("read-...")
    Write,  ///< the image a write was about to send ("write-...")
};

/// The number of backups a folder keeps.
constexpr std::size_t kBackupsKept = 200;

/// The backup folder: $XDG_DATA_HOME/Varel/Wavesmith/backups, or
/// $HOME/.local/share/Varel/Wavesmith/backups when $XDG_DATA_HOME is unset, empty or relative
/// (the home folder of the password database when $HOME is unset too); empty when there is none.
std::string BackupFolder();

/// The outcome of a backup: the result of the save and the file it went to (on a failure, the
/// file or folder that failed).
struct BackupResult {
    DataFileResult result;  ///< the data file layer's result
    std::string path;       ///< the backup file, or what failed
};

/// Saves the image as a data file named read-YYYYMMDD-HHMMSS.dat or write-YYYYMMDD-HHMMSS.dat
/// (local time of `when`) in folder, creating the folder and its parents (mode 0700) when
/// missing; a name already taken gets -2, -3 ... The save is atomic (SaveDataFile). Afterwards
/// only the newest `keep` backups of the folder stay, the new one always among them. A failure
/// removes nothing, leaves no file behind and says why.
BackupResult SaveBackup(const MemoryImage& image, BackupKind kind, const std::string& folder,
                        std::time_t when, std::size_t keep = kBackupsKept);

/// The backups of a folder (regular files with a backup's name), newest first: by the time in
/// the name, then the number after it, then the time of the file; paths as folder + "/" + name.
/// Empty when the folder cannot be read.
std::vector<std::string> ListBackups(const std::string& folder);

}  // namespace varel
