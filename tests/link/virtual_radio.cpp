#include "link/virtual_radio.h"

#include <algorithm>

namespace varel::link::test {

VirtualRadio::VirtualRadio(RadioFaults faults) : memory(kMemorySize, 0), m_faults(faults) {}

void VirtualRadio::receive(const Bytes& bytes) {
    for (std::uint8_t b : bytes) handle(b);
}

Bytes VirtualRadio::takeReply() {
    Bytes piece = std::move(m_replies.front());
    m_replies.pop_front();
    return piece;
}

void VirtualRadio::reply(Bytes piece) {
    if (m_faults.silent) return;
    if (m_faults.stopAfterBlocks >= 0 && m_blocksAnswered > m_faults.stopAfterBlocks) return;
    if (m_repliesSent++ == m_faults.strayBeforeReply) m_replies.push_back({m_faults.strayByte});
    m_replies.push_back(std::move(piece));
}

void VirtualRadio::replyAck() {
    if (m_faults.gluedAck) {
        reply({kAck, 0x00});
    } else {
        reply({kAck});
    }
}

void VirtualRadio::handle(std::uint8_t byte) {
    if (!m_awake) {
        // Asleep, the radio only listens for the wake-up word.
        m_pending.push_back(byte);
        if (m_pending.size() > kWakeUp.size()) m_pending.erase(m_pending.begin());
        if (std::equal(m_pending.begin(), m_pending.end(), kWakeUp.begin(), kWakeUp.end())) {
            m_awake = true;
            m_pending.clear();
            replyAck();
        }
        return;
    }
    m_pending.push_back(byte);
    const std::uint8_t command = m_pending.front();
    if (command == kIdentify) {
        Bytes id(kModelId.begin(), kModelId.end());
        if (m_faults.wrongModel) id[4] = '5';
        id.push_back(0x31);
        id.push_back(static_cast<std::uint8_t>(0x40 | (m_faults.bandDigit & 0x0F)));
        id.push_back(0x20);
        if (m_faults.longIdentification) id.push_back(0x00);
        if (m_faults.splitIdentification) {
            reply(Bytes(id.begin(), id.begin() + 3));
            reply(Bytes(id.begin() + 3, id.end()));
        } else {
            reply(id);
        }
        m_pending.clear();
    } else if (command == kAck) {
        replyAck();
        m_pending.clear();
    } else if (command == kEnd) {
        replyAck();
        m_awake = false;
        m_pending.clear();
    } else if (command == kReadCommand) {
        if (m_pending.size() < 4) return;
        const unsigned address = (m_pending[1] << 8) | m_pending[2];
        requestedBlocks.push_back(address);
        Bytes block(m_pending.begin(), m_pending.end());
        block[0] = kWriteCommand;
        for (std::size_t k = 0; k < kBlockSize; ++k) {
            block.push_back(address + k < memory.size() ? memory[address + k] : 0);
        }
        ++m_blocksAnswered;
        reply(block);
        m_pending.clear();
    } else if (command == kWriteCommand) {
        if (m_pending.size() < kBlockFrameSize) return;
        const unsigned address = (m_pending[1] << 8) | m_pending[2];
        writtenBlocks.insert(address);
        for (std::size_t k = 0; k < kBlockSize && address + k < memory.size(); ++k) {
            memory[address + k] = m_pending[4 + k];
        }
        ++m_blocksAnswered;
        replyAck();
        m_pending.clear();
    } else {
        m_pending.clear();  // not a frame the radio knows
    }
}

Bytes TransferLog::stream() const {
    Bytes all;
    for (const Bytes& call : writes) all.insert(all.end(), call.begin(), call.end());
    return all;
}

}  // namespace varel::link::test
