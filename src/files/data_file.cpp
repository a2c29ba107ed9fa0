#include "files/data_file.h"

#include <sys/stat.h>

#include <algorithm>

#include "files/file_io.h"

namespace varel {

namespace {

constexpr std::uint8_t kIdentifier[] = {'Z', 'N', 'O', '-', '7', 'P'};
constexpr std::uint8_t kVersion[] = {'V', '0', '1', '0', '0'};
constexpr std::size_t kVersionOffset = 10;

Message MessageOf(DataFileError error) {
    switch (error) {
        case DataFileError::None:
        case DataFileError::CannotOpen:
            break;
        case DataFileError::CannotRead:
            return Message::CannotReadFile;
        case DataFileError::WrongType:
            return Message::WrongFileType;
        case DataFileError::CannotWrite:
            return Message::CannotWriteFile;
        case DataFileError::DiskFull:
            return Message::DiskFull;
    }
    return Message::CannotOpenFile;
}

}  // namespace

DataFileResult DataFileResult::Failure(DataFileError error, int systemError) {
    DataFileResult result;
    result.error = error;
    result.reason = FileReason::System;
    result.systemError = systemError;
    return result;
}

DataFileResult DataFileResult::Failure(DataFileError error, FileReason reason) {
    DataFileResult result;
    result.error = error;
    result.reason = reason;
    return result;
}

std::string DataFileMessage(DataFileError error, Language lang) {
    return error == DataFileError::None ? std::string() : MessageText(MessageOf(error), lang);
}

std::string ReasonText(const DataFileResult& result, Language lang) {
    switch (result.reason) {
        case FileReason::None:
            break;
        case FileReason::System:
            return SystemReasonText(result.systemError, lang);
        case FileReason::NoPipeReader:
            return MessageText(Message::NoPipeReader, lang);
        case FileReason::NoPipeWriter:
            return MessageText(Message::NoPipeWriter, lang);
        case FileReason::TooLarge:
            return MessageText(Message::FileTooLarge, lang);
    }
    return {};
}

DataFileResult ParseDataFile(const std::uint8_t* data, std::size_t size, MemoryImage& in) {
    if (data == nullptr || size < kDataFileSize ||
        !std::equal(std::begin(kIdentifier), std::end(kIdentifier), data))
        return DataFileResult::Failure(DataFileError::WrongType);
    for (std::size_t i = 0; i < kConfigSize; ++i) in.set(i, data[kDataFileHeaderSize + i]);
    return {};
}

DataFileResult ParseDataFile(const std::vector<std::uint8_t>& bytes, MemoryImage& in) {
    return ParseDataFile(bytes.data(), bytes.size(), in);
}

std::vector<std::uint8_t> BuildDataFile(const MemoryImage& out) {
    std::vector<std::uint8_t> bytes(kDataFileSize, 0xFF);
    std::copy(std::begin(kIdentifier), std::end(kIdentifier), bytes.begin());
    std::copy(std::begin(kVersion), std::end(kVersion), bytes.begin() + kVersionOffset);
    for (std::size_t i = 0; i < kConfigSize; ++i) bytes[kDataFileHeaderSize + i] = out.at(i);
    return bytes;
}

DataFileResult LoadDataFile(const std::string& path, MemoryImage& in, PipeOpen pipe,
                            DataFileShape* shape) {
    // Only the first 3120 bytes matter; a file is not read beyond them, and a pipe only to
    // learn its length.
    struct stat st {};
    const bool sized = ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    std::vector<std::uint8_t> bytes;
    const DataFileResult read = ReadFilePrefix(
        path, shape != nullptr && !sized ? kMaxPipedDataFile : kDataFileSize, bytes, pipe);
    if (!read.ok()) return read;
    if (shape != nullptr) {
        shape->length = sized ? static_cast<std::uint64_t>(st.st_size) : bytes.size();
        shape->header.assign(
            bytes.begin(),
            bytes.begin() + static_cast<long>(std::min(bytes.size(), kDataFileHeaderSize)));
    }
    return ParseDataFile(bytes, in);
}

DataFileResult SaveDataFile(const std::string& path, const MemoryImage& out) {
    return ReplaceFile(path, BuildDataFile(out));
}

}  // namespace varel
