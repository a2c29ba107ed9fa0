#pragma once
// The serial port window Form6: twenty options Com1 to Com20 in four rows of five. The ports
// that the start-up probe could not open are disabled; a click chooses the port at once. Find
// Port... opens the port finder, which chooses the port of the cable the user plugs in.
#include <QWidget>
#include <string>

#include "link/port_probe.h"

class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace varel {

class MessageBoxes;
class PortFinder;
class Session;

/// The serial port window Form6. Its options are QRadioButtons named "Com1" to "Com20".
class PortWindow : public QWidget {
    Q_OBJECT

public:
    /// Outer size of the window in twips (15 twips are one pixel).
    static constexpr int kWidthTwips = 4890;
    static constexpr int kHeightTwips = 2775;

    /// The options of ports 1 to 20, their tooltips in the session's language; a click
    /// chooses a port (portChosen). The port finder speaks through boxes.
    PortWindow(Session& session, MessageBoxes& boxes);
    /// The outer size of the window's frame in pixels.
    static QSize outerSize();

    /// Takes the result of the start-up probe: enables the options of the ports that could be
    /// opened and disables the others; each tooltip names the port's device and, for a port
    /// that could not be opened, the reason in the current language.
    void setProbeResults(const link::PortAvailability& ports);
    /// Before the window is shown: selects the option of port (PortNumber) when one was chosen.
    void prepareToShow(int port);
    /// The option of port n (1 to 20); null outside that range.
    QRadioButton* option(int port) const;
    /// Writes every static text in the current language.
    void retranslate();
    /// Opens the port finder at its first step (the "FindPort" button).
    void findPort();
    /// The port finder once it was opened; null before.
    PortFinder* finder() const { return m_finder; }
    /// The folder the port finder looks for devices under ("/" unless a test fakes the system).
    void setDeviceRoot(const std::string& root) { m_deviceRoot = root; }

signals:
    /// The user clicked the option of port (1 to 20): it is PortNumber from now on.
    void portChosen(int port);
    /// The user asked for the connection doctor (the Diagnose button).
    void diagnoseRequested();

private:
    void writeTooltips();
    void choosePort(int port);

    Session& m_session;
    MessageBoxes& m_boxes;
    QButtonGroup* m_group = nullptr;
    QPushButton* m_findPort = nullptr;
    PortFinder* m_finder = nullptr;
    std::string m_deviceRoot = "/";
    QPushButton* m_diagnose = nullptr;
    link::PortAvailability m_ports{};
};

}  // namespace varel
