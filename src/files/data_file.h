#pragma once
// The data file: a configuration image on disk.
//
//   offset  length  content
//        0       6  model identifier "ZNO-7P" (5A 4E 4F 2D 37 50)
//        6       4  FF FF FF FF
//       10       5  "V0100" (56 30 31 30 30)
//       15       1  FF
//       16      32  FF ...
//       48    3072  image bytes 0x000 to 0xBFF, in image order
//                   (3120 bytes in all; no checksum, length field or trailer)
//
// Reading checks the identifier only; bytes 6 to 47 are ignored. A file shorter than 3120
// bytes is refused as a file of the wrong type. The image's spare byte 0xC00 is never filed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "image/language.h"
#include "image/memory_image.h"
#include "image/messages.h"

namespace varel {

/// Length of a data file in bytes.
constexpr std::size_t kDataFileSize = 3120;
/// Length of the header in front of the image.
constexpr std::size_t kDataFileHeaderSize = 48;

/// Why a data file could not be opened or saved.
enum class DataFileError {
    None,         ///< success
    CannotOpen,   ///< the file (or, when saving, a file in its folder) cannot be opened
    CannotRead,   ///< reading the file failed
    WrongType,    ///< wrong model identifier, or too short to hold an image
    CannotWrite,  ///< writing, flushing or replacing the file failed
    DiskFull,     ///< no space left for the file
};

/// The reason behind a failure, when there is one beyond its kind.
enum class FileReason {
    None,          ///< no reason to add
    System,        ///< the system refused: DataFileResult::systemError holds the errno value
    NoPipeReader,  ///< a pipe to write to that nothing reads
    NoPipeWriter,  ///< a pipe to read from that gave nothing: no program had it open for writing
                   ///< (or its writer closed it without writing)
    TooLarge,      ///< a channel list or configuration text larger than 4 MiB
};

/// Outcome of a data file operation.
struct DataFileResult {
    DataFileError error = DataFileError::None;  ///< what went wrong, None on success
    FileReason reason = FileReason::None;       ///< why, when known
    int systemError = 0;                        ///< the errno value of a System reason

    /// A failure of a kind with the system's reason (an errno value).
    static DataFileResult Failure(DataFileError error, int systemError);
    /// A failure of a kind with one of the file layer's own reasons, or none.
    static DataFileResult Failure(DataFileError error, FileReason reason = FileReason::None);

    /// True on success.
    bool ok() const { return error == DataFileError::None; }
};

/// The user-facing message of an error kind in a language (empty text for None).
std::string DataFileMessage(DataFileError error, Language lang);

/// The reason of a result in a language: the system's reason (the common ones translated) or
/// the file layer's own; empty when the result has none.
std::string ReasonText(const DataFileResult& result, Language lang);

/// Takes the image out of the bytes of a data file into image bytes 0-3071. On a refusal the
/// image is untouched and the result is WrongType.
DataFileResult ParseDataFile(const std::uint8_t* data, std::size_t size, MemoryImage& in);

/// Same as above for a byte vector.
DataFileResult ParseDataFile(const std::vector<std::uint8_t>& bytes, MemoryImage& in);

/// The 3120 bytes of the data file of image bytes 0-3071.
std::vector<std::uint8_t> BuildDataFile(const MemoryImage& out);

/// How a read opens a named pipe.
enum class PipeOpen {
    NoWait,         ///< never wait: a pipe that no program writes to gives NoPipeWriter at once
    WaitForWriter,  ///< wait until a program opens the pipe for writing, as a blocking open does
};

/// What a read found around the image: the header and the file's length.
struct DataFileShape {
    std::vector<std::uint8_t> header;  ///< the file's first kDataFileHeaderSize bytes
    std::uint64_t length = 0;          ///< the file's length in bytes (a pipe: what it gave)

    /// True when the file holds more than a data file: only its first bytes were read.
    bool longer() const { return length > kDataFileSize; }
};

/// Longest a pipe is read to learn its length (DataFileShape); a file's length is its size.
constexpr std::size_t kMaxPipedDataFile = 1 << 20;

/// Reads the data file at path into image bytes 0-3071; on any error the image is untouched.
/// A pipe is read until its writer closes it (see PipeOpen for one without a writer yet); a
/// device is read without waiting. Bytes after the first kDataFileSize are never used; shape,
/// when given, learns the header and the length (a pipe is read up to kMaxPipedDataFile).
DataFileResult LoadDataFile(const std::string& path, MemoryImage& in,
                            PipeOpen pipe = PipeOpen::NoWait, DataFileShape* shape = nullptr);

/// Writes the data file of the image to path with ReplaceFile (file_io.h): an existing regular
/// file is replaced atomically or keeps its contents, and a target that cannot take the file is
/// refused (CannotOpen) before anything is written.
DataFileResult SaveDataFile(const std::string& path, const MemoryImage& out);

}  // namespace varel
