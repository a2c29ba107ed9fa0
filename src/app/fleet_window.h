#pragma once
// The window FormFleet: the configuration of the editors written to several radios at once, one
// port each. The ports the probe found are listed with a tick and an optional "Display
// Character:" text of the radio's own; Start checks the configuration once, encodes it once
// and starts a write of the shared write procedure on every ticked port (link/radio_write.h),
// each with its backup and, when asked, its verify. Each row shows its progress and result; a
// report of all rows (CSV) is saved next to the backups; Retry Failed writes the failed ones
// again. Cancel closes the window before the writes start; once started they run to their end.
//
// The fleet never sends the power tuning blocks (they are each radio's own calibration) and
// refuses a radio of another band without asking.
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/data_file.h"
#include "image/memory_image.h"
#include "link/radio_write.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace varel {

class MessageBoxes;
class PortScanner;
class Session;

/// The window FormFleet; its table is "FleetTable".
class FleetWindow : public QWidget {
    Q_OBJECT

public:
    /// Columns of the table.
    enum Column { PortColumn, DeviceColumn, DisplayColumn, ProgressColumn, ResultColumn };

    /// A window over the session's configuration; checkBeforeWrite asks about the problems of
    /// the configuration and says whether to write on; backups and reports go to backupFolder.
    FleetWindow(Session& session, MessageBoxes& boxes, PortScanner& ports,
                std::function<bool()> checkBeforeWrite, const QString& backupFolder,
                QWidget* parent = nullptr);
    ~FleetWindow() override;

    /// Probes the ports again and lists those that can be opened, each ticked (not while the
    /// writes run).
    void refreshPorts();
    /// Whether the writes are read back and compared (the box "FleetVerify").
    void setVerify(bool on);
    /// Whether Start may start writes (not while the main window's transfer runs).
    void setStartAllowed(bool allowed);
    /// The wait before each read-back (tests shorten it).
    void setSettleMs(int ms) { m_settleMs = ms; }
    /// Start: writes every ticked radio. False when nothing started.
    bool start();
    /// Retry Failed: writes the radios whose last write failed again.
    bool retryFailed();
    /// Numbers the Display Character texts of the ticked rows on from the first ticked one
    /// (CLUB01, CLUB02 ...). False, with a message, when its text cannot be numbered on.
    bool fillDown();
    /// The program is about to end: every write under way sends End and closes its port now.
    void stopForExit();
    /// True while writes run.
    bool isRunning() const { return m_running > 0; }
    /// The report of the last writes, once saved (empty before).
    const QString& reportPath() const { return m_reportPath; }
    /// Writes every text in the current language.
    void retranslate();

signals:
    /// The writes started (true) or every one of them ended (false).
    void runningChanged(bool running);

private:
    struct Row;

    bool startRows(const std::vector<int>& rows);
    void radioEnded(int row);
    void showStage(int row, link::RadioStage stage);
    void saveReport();
    void showReport();  // where the last report went, in the current language
    void updateButtons();
    QString resultText(const Row& row) const;
    void setResult(int row, const QString& text);

    Session& m_session;
    MessageBoxes& m_boxes;
    PortScanner& m_ports;
    std::function<bool()> m_checkBeforeWrite;
    QString m_backupFolder;
    std::vector<Row> m_rows;
    int m_running = 0;
    int m_settleMs;
    bool m_startAllowed = true;
    QString m_reportPath;
    DataFileError m_reportError = DataFileError::None;  // why the last report was not saved
    QLabel* m_intro = nullptr;
    QTableWidget* m_table = nullptr;
    QCheckBox* m_verify = nullptr;
    QPushButton* m_fill = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_retry = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_report = nullptr;
};

}  // namespace varel
