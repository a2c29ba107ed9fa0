#include "link/receive_text.h"

#include "image/encodings.h"
#include "link/frames.h"

namespace varel::link {

namespace {

const std::string kAckText = Hex2(kAck);
const std::string kDataBlockStart = Hex2(kWriteCommand);
constexpr std::size_t kBandDigitIndex = 13;  // character 14 of the text

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string ModelIdText() {
    std::string text;
    for (std::uint8_t byte : kModelId) text += Hex2(byte);
    return text;
}

const std::string kModelIdText = ModelIdText();

}  // namespace

void ReceiveText::append(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) m_text += Hex2(data[i]);
}

bool ReceiveText::containsAck() const {
    return m_text.find(kAckText) != std::string::npos;
}

bool ReceiveText::equalsAck() const {
    return m_text == kAckText;
}

bool ReceiveText::isIdentification() const {
    return m_text.size() == 2 * kIdentificationSize && StartsWith(m_text, kModelIdText);
}

std::optional<int> ReceiveText::bandDigit() const {
    if (!isIdentification()) return std::nullopt;
    const char c = m_text[kBandDigitIndex];
    if (c < '0' || c > '9') return std::nullopt;
    return c - '0';
}

bool ReceiveText::isDataBlock() const {
    return m_text.size() == 2 * kBlockFrameSize && StartsWith(m_text, kDataBlockStart);
}

std::uint8_t ReceiveText::dataByte(std::size_t k) const {
    const std::size_t at = 2 * (kBlockHeaderSize + k);
    if (at + 2 > m_text.size()) return 0;
    return HexByte(m_text.substr(at, 2)).value_or(0);
}

}  // namespace varel::link
