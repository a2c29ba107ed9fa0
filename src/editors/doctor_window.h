#pragma once
// The connection doctor's window FormDoctor: runs the system checks for the chosen port, then
// the exchange with the radio over the serial adapter, and lists the findings in the current
// language, each marked by its severity. "Run Again" repeats everything.
#include <QWidget>
#include <vector>

#include "link/identify_machine.h"
#include "link/port_doctor.h"
#include "link/serial_transfer.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace varel {

class Session;

/// The window FormDoctor. Its list is "Findings", one item per finding.
class DoctorWindow : public QWidget {
    Q_OBJECT

public:
    /// An empty window over the real system.
    explicit DoctorWindow(Session& session);

    /// Runs the checks for port (1 to 20), the exchange last; for port 0 (none chosen) the
    /// system checks of every port that exists, and the radio is not asked. The exchange runs
    /// on the event loop; finished() says when all is there.
    void run(int port);
    /// The findings so far.
    const std::vector<link::Finding>& findings() const { return m_findings; }
    /// True while the exchange runs.
    bool isRunning() const { return m_transfer.isRunning(); }
    /// Writes every text in the current language, the findings included.
    void retranslate();

signals:
    /// Every finding of the last run() is listed.
    void finished();

private:
    void exchangeEnded();
    void showFindings();

    Session& m_session;
    link::SystemView m_system;
    link::SerialTransfer m_transfer;
    link::IdentifyMachine m_machine;
    std::vector<link::Finding> m_findings;
    std::string m_device;
    int m_port = 0;
    QLabel* m_heading = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_again = nullptr;
};

}  // namespace varel
