#include "link/frames.h"

namespace varel::link {

void SendWakeUp(Actions& actions) {
    actions.writes.emplace_back(kWakeUp.begin(), kWakeUp.end());
}

void SendByte(Actions& actions, std::uint8_t byte) {
    actions.writes.push_back({byte});
}

void SendReadRequest(Actions& actions, unsigned address) {
    SendByte(actions, kReadCommand);
    SendByte(actions, static_cast<std::uint8_t>(address >> 8));
    SendByte(actions, static_cast<std::uint8_t>(address & 0xFF));
    SendByte(actions, kBlockLengthByte);
}

void SendWriteBlock(Actions& actions, unsigned address, const MemoryImage& image) {
    SendByte(actions, kWriteCommand);
    SendByte(actions, static_cast<std::uint8_t>(address >> 8));
    SendByte(actions, static_cast<std::uint8_t>(address & 0xFF));
    SendByte(actions, kBlockLengthByte);
    for (std::size_t k = 0; k < kBlockSize; ++k) {
        const std::size_t index = address + k;
        SendByte(actions, index < kImageSize ? image.at(index) : std::uint8_t{0});
    }
}

}  // namespace varel::link
