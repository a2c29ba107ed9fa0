#include "link/identify_machine.h"

#include "link/frames.h"

namespace varel::link {

void IdentifyMachine::restart() {
    m_model.clear();
    m_identification.clear();
    m_band.reset();
    m_rightModel = false;
}

void IdentifyMachine::onReply(Actions& actions) {
    // Step 2 only: the identification, in any number of pieces, exactly 8 bytes.
    const std::string& text = m_text.text();
    if (text.size() != 2 * kIdentificationSize) return;
    m_identification = text;
    m_rightModel = m_text.isIdentification();
    m_band = m_rightModel ? m_text.bandDigit() : std::nullopt;
    for (std::size_t k = 0; k < kModelId.size(); ++k) {
        const int byte = std::stoi(text.substr(2 * k, 2), nullptr, 16);
        m_model += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '?';
    }
    accept();
    SendByte(actions, kEnd);
    finish(actions, Outcome::Success);
}

}  // namespace varel::link
