#include "link/verify.h"

#include "checks/block_contents.h"
#include "link/frames.h"

namespace varel::link {

std::vector<BlockDifference> CompareWrittenBlocks(const MemoryImage& sent,
                                                  const MemoryImage& readBack,
                                                  const WriteOptions& options, Language lang) {
    std::vector<BlockDifference> differences;
    for (unsigned address : WriteSchedule(options)) {
        std::vector<int> offsets;
        for (std::size_t i = address; i < address + kBlockSize && i < kImageSize; ++i)
            if (sent.at(i) != readBack.at(i)) offsets.push_back(static_cast<int>(i));
        if (!offsets.empty())
            differences.push_back({static_cast<int>(address), ByteContents(offsets, lang)});
    }
    return differences;
}

}  // namespace varel::link
