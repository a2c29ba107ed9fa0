#include "textconf/text_file.h"

#include <algorithm>

#include "files/file_io.h"

namespace varel::textconf {

DataFileResult LoadConfigText(const std::string& path, std::string& text, PipeOpen pipe) {
    std::vector<std::uint8_t> bytes;
    const DataFileResult read = ReadFilePrefix(path, kMaxConfigTextSize + 1, bytes, pipe);
    if (!read.ok()) return read;
    if (bytes.size() > kMaxConfigTextSize)
        return DataFileResult::Failure(DataFileError::WrongType, FileReason::TooLarge);
    text.assign(bytes.begin(), bytes.end());
    return read;
}

DataFileResult SaveConfigText(const std::string& path, const std::string& text) {
    return ReplaceFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::vector<std::uint8_t> StandardHeader() {
    std::vector<std::uint8_t> header = BuildDataFile(MemoryImage());
    header.resize(kDataFileHeaderSize);
    return header;
}

std::vector<std::uint8_t> DataFileBytes(const MemoryImage& image,
                                        const std::vector<std::uint8_t>& header) {
    std::vector<std::uint8_t> file = BuildDataFile(image);
    std::copy_n(header.begin(), std::min(header.size(), kDataFileHeaderSize), file.begin());
    return file;
}

}  // namespace varel::textconf
