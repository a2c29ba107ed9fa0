#pragma once
// Configuration texts on disk, and the data file bytes a text is made of.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/data_file.h"
#include "image/memory_image.h"

namespace varel::textconf {

/// Largest configuration text read (the limit the file layer's "larger than 4 MiB" names); a
/// larger file is refused as WrongType. A text of a configuration is about 8 KiB.
constexpr std::size_t kMaxConfigTextSize = 4 * 1024 * 1024;

/// Reads a configuration text (at most kMaxConfigTextSize bytes); a named pipe is opened as
/// `pipe` says.
DataFileResult LoadConfigText(const std::string& path, std::string& text,
                              PipeOpen pipe = PipeOpen::NoWait);

/// Writes a configuration text to path, replacing an existing file atomically.
DataFileResult SaveConfigText(const std::string& path, const std::string& text);

/// The 48-byte header a data file is saved with.
std::vector<std::uint8_t> StandardHeader();

/// The 3120 bytes of a data file of image bytes 0-3071 behind the given 48-byte header.
std::vector<std::uint8_t> DataFileBytes(const MemoryImage& image,
                                        const std::vector<std::uint8_t>& header);

}  // namespace varel::textconf
