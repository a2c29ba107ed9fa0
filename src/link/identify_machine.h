#pragma once
// The shortest exchange with the radio: wake-up, identification and End. It never reads a block
// and never writes one; the connection doctor uses it to learn whether the radio answers.
#include <optional>
#include <string>

#include "link/port_doctor.h"
#include "link/transfer_machine.h"

namespace varel::link {

/// Wakes the radio, asks for its identification and ends the session with End as soon as an
/// identification of 8 bytes arrived, whatever model it names (outcome Success); without one
/// the reply timeout ends it with the communication error.
class IdentifyMachine final : public LockStepMachine {
public:
    /// The first 5 bytes of the identification received, as text ("PW-K4"; bytes that are no
    /// printable characters as '?'); empty before one arrived.
    const std::string& model() const { return m_model; }
    /// The whole identification as hex text; empty before one arrived.
    const std::string& identification() const { return m_identification; }
    /// The band digit of the identification when it names this radio's model and the digit is
    /// decimal.
    std::optional<int> band() const { return m_band; }
    /// True when the identification names this radio's model.
    bool rightModel() const { return m_rightModel; }
    /// All of the above with the outcome, for the doctor's finding.
    ExchangeResult result() const {
        return {PortProblem::None, outcome(), m_model, m_identification, m_band, m_rightModel};
    }

private:
    void restart() override;
    void onReply(Actions& actions) override;

    std::string m_model;
    std::string m_identification;
    std::optional<int> m_band;
    bool m_rightModel = false;
};

}  // namespace varel::link
