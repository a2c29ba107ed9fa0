#pragma once
// Backups of every image read from or written to the radio, so that a configuration is never
// lost: data files (data_file.h) in one folder, named by what they hold and when,
//
//   read-20240501-142233.dat     the image a read received, at 14:22:33 local time
//   write-20240501-142301.dat    the image a write was about to send
//   write-20240501-142301-2.dat  a second write within the same second
//
// The folder's index (kBackupIndexName) lists, one name a line and oldest first, the backups the
// program saved there. Only the newest kBackupsKept reads and, apart from them, the newest
// kBackupsKept writes are kept; the order is the order of saving, not the time in the name (a
// clock set wrong cannot keep a backup forever). A file the index does not list is never
// removed, whatever its name: a data file cannot tell a backup from one of the user's own.
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

/// The number of backups of each kind a folder keeps.
constexpr std::size_t kBackupsKept = 200;

/// The name of the index of the backups saved in a folder.
constexpr char kBackupIndexName[] = ".backup-index";

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
/// missing; a name already taken gets -2, -3 ... The save is atomic (SaveDataFile) and the new
/// name is added to the folder's index. Afterwards only the newest `keep` indexed backups of
/// the same kind stay, the new one always among them; the other kind is not touched. A failure
/// removes nothing, leaves no file behind and says why.
BackupResult SaveBackup(const MemoryImage& image, BackupKind kind, const std::string& folder,
                        std::time_t when, std::size_t keep = kBackupsKept);

/// The name of the trace of the last transfer, kept in the backup folder.
constexpr char kLastTraceName[] = "last-transfer.trace";

/// Saves text as the file name in folder, creating the folder as SaveBackup does, and replacing
/// an existing file only once the whole text was written (ReplaceFile). Such a file is not a
/// backup: the index does not list it and it is never pruned.
BackupResult SaveBesideBackups(const std::string& text, const std::string& folder,
                               const std::string& name);

/// The backups the folder's index lists that are still there as regular files, newest saved
/// first; paths as folder + "/" + name. Empty when the folder or its index cannot be read.
std::vector<std::string> ListBackups(const std::string& folder);

}  // namespace varel
