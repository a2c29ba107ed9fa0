#include "image/data_file.h"

#include <algorithm>

#include "image/file_io.h"

namespace varel {

namespace {

constexpr std::uint8_t kIdentifier[] = {'Z', 'N', 'O', '-', '7', 'P'};
constexpr std::uint8_t kVersion[] = {'V', '0', '1', '0', '0'};
constexpr std::size_t kVersionOffset = 10;

}  // namespace

std::string DataFileMessage(DataFileError error, Language lang) {
    switch (error) {
        case DataFileError::None:
            return {};
        case DataFileError::CannotOpen:
            return Pick(lang, "无法打开文件！", "Cannot open the file!");
        case DataFileError::CannotRead:
            return Pick(lang, "无法读取文件！", "Cannot read the file!");
        case DataFileError::WrongType:
            return Pick(lang, "文件类型不正确！", "File type is incorrect!");
        case DataFileError::CannotWrite:
            return Pick(lang, "无法写入文件！", "Cannot write the file!");
        case DataFileError::DiskFull:
            return Pick(lang, "磁盘空间不足，文件未保存！",
                        "Not enough disk space, the file was not saved!");
    }
    return {};
}

DataFileResult ParseDataFile(const std::uint8_t* data, std::size_t size, MemoryImage& in) {
    if (data == nullptr || size < kDataFileSize ||
        !std::equal(std::begin(kIdentifier), std::end(kIdentifier), data))
        return {DataFileError::WrongType, {}};
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

DataFileResult LoadDataFile(const std::string& path, MemoryImage& in) {
    // Only the first 3120 bytes matter; anything after them is not read.
    std::vector<std::uint8_t> bytes;
    const DataFileResult read = ReadFilePrefix(path, kDataFileSize, bytes);
    return read.ok() ? ParseDataFile(bytes, in) : read;
}

DataFileResult SaveDataFile(const std::string& path, const MemoryImage& out) {
    return ReplaceFile(path, BuildDataFile(out));
}

}  // namespace varel
