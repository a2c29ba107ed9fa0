#include "link/read_machine.h"

#include "link/frames.h"

namespace varel::link {

namespace {

constexpr int kFirstBlockStep = 3;
constexpr int kLastBlockStep = kFirstBlockStep + kBlockCount - 1;

/// Address of the request sent from step s (2 to 194): the block the next step fetches.
unsigned RequestAddress(int step) {
    return static_cast<unsigned>(step - 2) * kBlockSize;
}

}  // namespace

ReadMachine::ReadMachine(MemoryImage& in) : m_image(in) {}

void ReadMachine::storeBlock() {
    const std::size_t base = static_cast<std::size_t>(m_step - kFirstBlockStep) * kBlockSize;
    for (std::size_t k = 0; k < kBlockSize; ++k) {
        // The block at 0xC00 reaches past the image: only its first byte is kept.
        if (base + k < kImageSize) m_image.set(base + k, m_text.dataByte(k));
    }
}

void ReadMachine::onReply(Actions& actions) {
    if (m_step == 2) {
        // deliberate: the acknowledge of the identification is split over two replies. The
        // identification is acknowledged without moving on, and only the radio's own bare
        // acknowledge, arriving on its own, starts the block requests: the radio answers in that
        // order and waits for it.
        if (m_text.isIdentification()) {
            accept();
            SendByte(actions, kAck);
        } else if (m_text.equalsAck()) {
            accept();
            actions.threshold = kBlockThreshold;
            SendReadRequest(actions, RequestAddress(m_step));
            m_step = kFirstBlockStep;
        }
    } else if (m_step <= kLastBlockStep) {
        if (m_text.isDataBlock()) {
            storeBlock();
            accept();
            actions.threshold = kByteThreshold;
            SendByte(actions, kAck);
        } else if (m_text.equalsAck()) {
            accept();
            if (m_step < kLastBlockStep) {
                actions.threshold = kBlockThreshold;
                SendReadRequest(actions, RequestAddress(m_step));
            } else {
                SendByte(actions, kEnd);
            }
            ++m_step;
        }
    } else if (m_text.equalsAck()) {
        // Step 196: the radio acknowledged the first End.
        SendByte(actions, kEnd);
        accept();
        finish(actions, Outcome::Success);
    }
}

}  // namespace varel::link
