#pragma once
// The virtual radio's configuration memory and the sample configuration it starts with.
#include <array>
#include <cstdint>
#include <string>

#include "files/data_file.h"
#include "image/memory_image.h"
#include "link/frames.h"

namespace varel::sim {

/// Data bytes of one block of the link.
using Block = std::array<std::uint8_t, link::kBlockSize>;

/// The radio's 3073 bytes (0x000 to 0xC00), addressed in blocks of 16 as the link moves them.
class RadioMemory {
public:
    /// A memory of zero bytes.
    RadioMemory() = default;
    /// A memory holding the given image.
    explicit RadioMemory(const MemoryImage& image) : m_image(image) {}

    /// The memory as an image.
    const MemoryImage& image() const { return m_image; }

    /// The 16 bytes at address..address+15; bytes beyond offset 0xC00 read as 0x00.
    Block readBlock(unsigned address) const;
    /// Stores the 16 bytes at address..address+15; bytes beyond offset 0xC00 are dropped.
    void writeBlock(unsigned address, const Block& data);

    /// Replaces bytes 0x000-0xBFF with the image of a data file; on failure nothing changes.
    DataFileResult load(const std::string& path);
    /// Writes bytes 0x000-0xBFF as a data file, replacing the file atomically.
    DataFileResult save(const std::string& path) const;

private:
    MemoryImage m_image;
};

/// A small realistic configuration: eight VHF and UHF channels with tones and names, the
/// settings block as a fresh program would encode it (band 0, tuning values 218/218/116),
/// four FM broadcast channels.
MemoryImage SampleImage();

}  // namespace varel::sim
