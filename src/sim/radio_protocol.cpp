#include "sim/radio_protocol.h"

#include <algorithm>
#include <cstdio>

#include "link/frames.h"

namespace varel::sim {

using link::kAck;
using link::kEnd;
using link::kIdentify;
using link::kLastReadAddress;
using link::kLastWriteAddress;
using link::kReadCommand;
using link::kWakeUp;
using link::kWriteCommand;

namespace {

std::string AddressText(unsigned address) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%03X", address & 0xFFFFu);
    return text;
}

}  // namespace

std::string HexText(const std::uint8_t* data, std::size_t size) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        text += kDigits[data[i] >> 4];
        text += kDigits[data[i] & 0x0F];
    }
    return text;
}

RadioProtocol::RadioProtocol(RadioMemory& memory, RadioOptions options)
    : m_memory(memory), m_options(std::move(options)) {}

bool RadioProtocol::quiet() const {
    return m_options.silent || (m_options.stopAfter >= 0 && m_blocks >= m_options.stopAfter);
}

bool RadioProtocol::takeCompletedWrite() {
    const bool completed = m_completedWrite;
    m_completedWrite = false;
    return completed;
}

void RadioProtocol::reset() {
    m_state = State::Idle;
    m_frame.clear();
    m_window.clear();
}

void RadioProtocol::startSession() {
    m_state = State::AwaitIdentify;
    m_flow = Flow::None;
    m_frame.clear();
    m_window.clear();
    m_blocks = 0;
    m_replies = 0;
    m_readComplete = false;
    m_writeComplete = false;
}

void RadioProtocol::beginReply(Response& r) {
    if (m_replies++ == m_options.strayBeforeReply) sendStray(r);
}

void RadioProtocol::sendStray(Response& r) {
    r.writes.push_back({kStrayByte});
    r.log.push_back("tx stray " + HexText(&kStrayByte, 1));
}

void RadioProtocol::ack(Response& r) {
    if (quiet()) {
        r.log.push_back("  (no answer)");
        return;
    }
    beginReply(r);
    if (m_options.gluedAck) {
        r.writes.push_back({kAck, kExtraByte});
        r.log.push_back("tx Ack glued to " + HexText(&kExtraByte, 1));
    } else {
        r.writes.push_back({kAck});
        r.log.push_back("tx Ack");
    }
}

void RadioProtocol::identify(Response& r) {
    if (quiet()) {
        r.log.push_back("  (no answer)");
        return;
    }
    beginReply(r);
    Chunk ident(m_options.model.begin(), m_options.model.end());
    ident.resize(link::kModelId.size(), ' ');
    ident.push_back(0x00);
    ident.push_back(static_cast<std::uint8_t>(m_options.band & 0x0F));
    ident.push_back(0x00);
    if (m_options.longIdent) ident.push_back(kExtraByte);
    r.log.push_back("tx Identification " + HexText(ident.data(), ident.size()));
    if (m_options.splitIdent) {
        r.writes.emplace_back(ident.begin(), ident.begin() + 3);
        r.writes.emplace_back(ident.begin() + 3, ident.end());
    } else {
        r.writes.push_back(std::move(ident));
    }
}

Response RadioProtocol::feed(std::uint8_t byte) {
    Response r;
    switch (m_state) {
        case State::ReadEnded:
            if (byte == kEnd) {
                // The second End of a read expects no answer.
                ++m_ends;
                r.log.push_back("rx End");
                m_state = State::Idle;
                break;
            }
            m_state = State::Idle;
            [[fallthrough]];
        case State::Idle:
            if (byte == kEnd) {
                ++m_ends;
                r.log.push_back("rx End (no session)");
                break;
            }
            m_window.push_back(byte);
            if (m_window.size() > kWakeUp.size()) m_window.erase(m_window.begin());
            if (std::equal(m_window.begin(), m_window.end(), kWakeUp.begin(), kWakeUp.end())) {
                startSession();
                r.log.push_back("rx PROGRAM");
                // Unplugged after no block at all: gone before the first reply.
                if (m_options.exitAfter == 0)
                    m_unplug = true;
                else
                    ack(r);
            }
            break;
        case State::AwaitIdentify:
        case State::Session:
            handleFrameByte(byte, r);
            break;
    }
    return r;
}

void RadioProtocol::handleFrameByte(std::uint8_t byte, Response& r) {
    if (!m_frame.empty()) {
        m_frame.push_back(byte);
        if (m_frame[0] == kReadCommand && m_frame.size() == link::kBlockHeaderSize) {
            handleRead(r);
            m_frame.clear();
        } else if (m_frame[0] == kWriteCommand && m_frame.size() == link::kBlockFrameSize) {
            handleWrite(r);
            m_frame.clear();
        }
        return;
    }
    if (byte == kIdentify) {
        r.log.push_back("rx Identify");
        m_state = State::Session;
        identify(r);
        return;
    }
    if (byte == kEnd) {
        handleEnd(r);
        return;
    }
    if (m_state == State::Session) {
        if (byte == kAck) {
            r.log.push_back("rx Ack");
            ack(r);
            return;
        }
        if (byte == kReadCommand || byte == kWriteCommand) {
            m_frame.push_back(byte);
            return;
        }
    }
    r.log.push_back("rx stray " + HexText(&byte, 1));
}

void RadioProtocol::handleRead(Response& r) {
    const unsigned address = (unsigned{m_frame[1]} << 8) | m_frame[2];
    r.log.push_back("rx Read " + AddressText(address));
    if (quiet()) {
        r.log.push_back("  (no answer)");
        return;
    }
    m_flow = Flow::Read;
    if (address == kLastReadAddress) m_readComplete = true;
    beginReply(r);
    Chunk reply = {kWriteCommand, m_frame[1], m_frame[2], link::kBlockLengthByte};
    const Block data = m_memory.readBlock(address);
    reply.insert(reply.end(), data.begin(), data.end());
    r.writes.push_back(std::move(reply));
    r.log.push_back("tx Block " + AddressText(address));
    afterBlock(r);
}

void RadioProtocol::handleWrite(Response& r) {
    const unsigned address = (unsigned{m_frame[1]} << 8) | m_frame[2];
    r.log.push_back("rx Write " + AddressText(address));
    if (quiet()) {
        r.log.push_back("  (no answer)");
        return;
    }
    m_flow = Flow::Write;
    Block data;
    std::copy(m_frame.begin() + link::kBlockHeaderSize, m_frame.end(), data.begin());
    const long corrupt = static_cast<long>(m_options.corruptWrite) - static_cast<long>(address);
    if (m_options.corruptWrite >= 0 && corrupt >= 0 && corrupt < static_cast<long>(data.size())) {
        data[static_cast<std::size_t>(corrupt)] ^= 0xFF;
        r.log.push_back("  stored " + AddressText(static_cast<unsigned>(m_options.corruptWrite)) +
                        " wrong");
    }
    m_memory.writeBlock(address, data);
    if (address == kLastWriteAddress) m_writeComplete = true;
    ack(r);
    afterBlock(r);
}

void RadioProtocol::afterBlock(Response& r) {
    ++m_blocks;
    if (m_options.garbage && m_blocks == kStrayAfterBlock) sendStray(r);
    if (m_options.exitAfter >= 0 && m_blocks >= m_options.exitAfter) m_unplug = true;
}

void RadioProtocol::handleEnd(Response& r) {
    ++m_ends;
    r.log.push_back("rx End");
    m_frame.clear();
    if (m_flow == Flow::Read && m_readComplete) {
        // The tool waits for this acknowledge before its second End.
        ack(r);
        m_state = State::ReadEnded;
        return;
    }
    if (m_flow == Flow::Write && m_writeComplete) m_completedWrite = true;
    m_state = State::Idle;
    m_window.clear();
}

}  // namespace varel::sim
