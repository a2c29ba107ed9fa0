#pragma once
// The hidden service modes: ForceWriteMode, DebugMode and FmServiceMode, their toolbar buttons
// (TAnMa, TDebug, TFMMa) and the clicks that switch them off.
#include <QObject>

namespace varel {

class MainWindow;

/// The three service modes.
enum class ServiceMode { ForceWrite = 0, Debug = 1, FmService = 2 };

/// The service flags of the program; all off at start.
class ServiceModes : public QObject {
    Q_OBJECT

public:
    explicit ServiceModes(MainWindow& main);

    /// The key of the toolbar button of mode 0-2: "TAnMa", "TDebug", "TFMMa".
    static const char* ButtonKey(int button);

    /// True while the mode is on.
    bool isOn(ServiceMode mode) const { return m_on[static_cast<int>(mode)]; }
    bool ForceWriteMode() const { return isOn(ServiceMode::ForceWrite); }
    bool DebugMode() const { return isOn(ServiceMode::Debug); }
    bool FmServiceMode() const { return isOn(ServiceMode::FmService); }

    /// Switches a mode on or off and shows or hides its toolbar button (the gestures and the
    /// button's double click end here).
    void setOn(ServiceMode mode, bool on);
    /// A click on the toolbar button of mode 0-2 (two within a second switch the mode off).
    void serviceButtonClicked(int button) { (void)button; }
    /// A click on caption 0-2 of the hidden gesture that switches mode on (the optional
    /// features editor reports these; the rules of the gesture live here).
    void captionClicked(ServiceMode mode, int caption) {
        (void)mode;
        (void)caption;
    }

signals:
    /// A mode was switched on or off.
    void modeChanged(varel::ServiceMode mode, bool on);

private:
    MainWindow& m_main;
    bool m_on[3] = {false, false, false};
};

}  // namespace varel
