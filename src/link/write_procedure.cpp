#include "link/write_procedure.h"

namespace varel::link {

namespace {

// The shared message that tells an end; none where the front end says it in its own words
// (the differing blocks, a read-back that failed) or says nothing (a cancelled question, an
// interruption, a check that stopped the write).
std::optional<Message> EndMessage(const WriteResult& result) {
    switch (result.end) {
        case WriteEnd::PortInvalid:
            return Message::PortInvalid;
        case WriteEnd::Written:
            return Message::WriteSucceeded;
        case WriteEnd::Verified:
            return Message::WriteVerified;
        case WriteEnd::Failed:
            if (result.write == Outcome::BandRefused) return Message::BandRefused;
            if (result.write == Outcome::CommunicationError) return Message::CommunicationError;
            return std::nullopt;
        case WriteEnd::Stopped:
        case WriteEnd::Differs:
        case WriteEnd::NotVerified:
            break;
    }
    return std::nullopt;
}

}  // namespace

WriteProcedure::WriteProcedure(const MemoryImage& sent, WriteRequest request)
    : m_sent(sent), m_request(request) {}

WriteNext WriteProcedure::start() {
    if (m_stage != Stage::Idle) return {};
    return next(Stage::Checking, WriteTask::Check);
}

WriteNext WriteProcedure::checkAnswered(bool writeOn) {
    if (m_stage != Stage::Checking) return {};
    if (!writeOn) return end(WriteEnd::Stopped);
    return next(Stage::Opening, WriteTask::OpenPort);
}

WriteNext WriteProcedure::portOpened(bool open) {
    if (m_stage != Stage::Opening) return {};
    if (!open) return end(WriteEnd::PortInvalid);
    return next(Stage::Writing, WriteTask::Write);
}

WriteNext WriteProcedure::firstBlockAhead() {
    // The backup is kept once the radio has answered and before the first block leaves: a
    // write that breaks off half-way still has its image on disk, and a radio that never
    // answered leaves no backup behind to crowd out the ones that matter.
    if (m_stage != Stage::Writing || m_backupAsked) return {};
    m_backupAsked = true;
    return {WriteTask::BackUp};
}

WriteNext WriteProcedure::backupEnded(bool saved) {
    if (m_stage != Stage::Writing || !m_backupAsked) return {};
    m_result.backedUp = saved;
    return {};
}

WriteNext WriteProcedure::writeEnded(Outcome outcome) {
    if (m_stage != Stage::Writing || outcome == Outcome::Pending) return {};
    m_result.write = outcome;
    if (outcome == Outcome::PortInvalid) return end(WriteEnd::PortInvalid);
    if (outcome != Outcome::Success) return end(WriteEnd::Failed);
    if (!m_request.verify) return end(WriteEnd::Written);
    return next(Stage::Settling, WriteTask::Settle);
}

WriteNext WriteProcedure::settleElapsed() {
    if (m_stage != Stage::Settling) return {};
    ++m_result.readBacks;
    m_readBack = MemoryImage();
    return next(Stage::ReadingBack, WriteTask::ReadBack);
}

WriteNext WriteProcedure::readBackEnded(Outcome outcome) {
    if (m_stage != Stage::ReadingBack || outcome == Outcome::Pending) return {};
    m_result.readBack = outcome;
    if (outcome == Outcome::CommunicationError && m_result.readBacks < kReadBackTries)
        return next(Stage::Settling, WriteTask::Settle, true);
    if (outcome != Outcome::Success) return end(WriteEnd::NotVerified);
    m_result.differences =
        CompareWrittenBlocks(m_sent, m_readBack, m_request.options, m_request.lang);
    return end(m_result.differences.empty() ? WriteEnd::Verified : WriteEnd::Differs);
}

WriteNext WriteProcedure::cancel() {
    if (m_stage != Stage::Settling) return {};
    m_result.readBack = Outcome::Interrupted;
    return end(WriteEnd::NotVerified);
}

WriteNext WriteProcedure::next(Stage stage, WriteTask task, bool retry) {
    m_stage = stage;
    return {task, retry};
}

WriteNext WriteProcedure::end(WriteEnd end) {
    m_result.end = end;
    m_result.message = EndMessage(m_result);
    return next(Stage::Ended, WriteTask::Report);
}

}  // namespace varel::link
