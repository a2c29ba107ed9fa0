#pragma once
// One radio of a write to several radios at once: the shared write procedure (write_procedure.h)
// driven by the event loop over a serial adapter of its own, so that any number of them run side
// by side on one thread, each on its own port, and a fault of one radio stays with it.
//
// The check before writing belongs to the caller, which runs it once for all radios: the
// procedure's Check is answered "write on". The image to send is given ready encoded.
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "image/language.h"
#include "image/memory_image.h"
#include "link/serial_transfer.h"
#include "link/transfer_trace.h"
#include "link/write_procedure.h"

namespace varel::link {

/// Where a radio's write stands.
enum class RadioStage {
    Idle,         ///< not started
    Connecting,   ///< wake-up and identification: nothing of the radio is written yet
    Writing,      ///< the blocks are going
    Settling,     ///< written; the radio settles before the read-back
    ReadingBack,  ///< the radio is read back to compare
    Ended,        ///< result() tells how it went
};

/// Drives the write of one image to one radio on the event loop.
class RadioWrite : public QObject {
    Q_OBJECT

public:
    /// A write of image to the radio on device, as request asks.
    RadioWrite(std::string device, const MemoryImage& image, WriteRequest request,
               QObject* parent = nullptr);
    ~RadioWrite() override;

    /// The wait before the read-back (kSettleMs unless set).
    void setSettleMs(int ms) { m_settle.setInterval(ms); }
    /// Taps the write and its read-back (nullptr: none); the recorder must outlive them.
    void setTrace(TraceRecorder* recorder) { m_transfer.setTrace(recorder); }
    /// Called with the image about to be sent once the radio has accepted the write, before
    /// the first block; returns whether the backup was saved. None: no backup.
    void setBackup(std::function<bool(const MemoryImage&)> backup) { m_backup = std::move(backup); }
    /// The answer to the band question of a forced write (default: Cancel).
    void setAnswerBandOk(bool ok) { m_answerBandOk = ok; }

    /// Opens the port and starts the write; ended() follows, also at once when the port
    /// cannot be opened.
    void start();
    /// Stops what has not begun to change the radio: a write whose blocks go is let finish
    /// (and not read back), anything else ends now (End is sent).
    void finishOrStop();
    /// Ends whatever runs at once: End is sent and the port closed; the radio may be partly
    /// written (blocksSent()).
    void stop();

    /// The device of the radio's port.
    const std::string& device() const { return m_device; }
    /// Where the write stands.
    RadioStage stage() const { return m_stage; }
    /// The result, complete once stage() is Ended.
    const WriteResult& result() const { return m_procedure.result(); }
    /// The step the write machine had reached when it ended (0 before it ran).
    int writeStep() const { return m_writeStep; }
    /// Why the port could not be opened, when it could not.
    PortProblem portProblem() const { return m_portProblem; }
    /// True when finishOrStop() let the blocks finish: the radio holds the whole image.
    bool letFinish() const { return m_letFinish; }

signals:
    /// The stage changed.
    void stageChanged(varel::link::RadioStage stage);
    /// The progress of the write or the read-back, 1 to 196.
    void progressChanged(int step);
    /// The write has ended; result() tells how.
    void ended();

private:
    void drive(WriteNext next);
    bool openPort();
    bool begin(std::unique_ptr<TransferMachine> machine, RadioStage stage);
    void finish(Outcome outcome);
    void setStage(RadioStage stage);

    std::string m_device;
    MemoryImage m_image;
    WriteProcedure m_procedure;
    SerialTransfer m_transfer;
    std::unique_ptr<TransferMachine> m_machine;
    QTimer m_settle;
    std::function<bool(const MemoryImage&)> m_backup;
    RadioStage m_stage = RadioStage::Idle;
    PortProblem m_portProblem = PortProblem::None;
    int m_writeStep = 0;
    bool m_answerBandOk = false;
    bool m_letFinish = false;
};

/// Why the write of a radio that has ended failed, in lang: the port that could not be opened
/// (with its reason), the band refused, or the radio not answering; empty when the write
/// itself did not fail (a verify that found differences is told apart by the caller).
std::string WriteFailureText(const RadioWrite& write, Language lang);

}  // namespace varel::link
