#pragma once
// The hidden service modes: ForceWriteMode, DebugMode and FmServiceMode, the gestures that switch
// them on (three captions of the optional features editor clicked within five seconds), their
// toolbar buttons (TAnMa, TDebug, TFMMa) and the double click on a button that switches its mode
// off. Times are whole seconds since midnight read from the injected clock.
#include <QObject>

namespace varel {

class Clock;

/// The three service modes.
enum class ServiceMode { ForceWrite = 0, Debug = 1, FmService = 2 };

/// The service flags of the program; all off at start.
class ServiceModes : public QObject {
    Q_OBJECT

public:
    /// All modes off; the gestures and double clicks are timed by clock.
    explicit ServiceModes(const Clock& clock, QObject* parent = nullptr);

    /// The key of the toolbar button of mode 0-2: "TAnMa", "TDebug", "TFMMa".
    static const char* ButtonKey(int button);

    /// True while the mode is on.
    bool isOn(ServiceMode mode) const { return m_on[static_cast<int>(mode)]; }
    /// True while a write may go on after a band mismatch.
    bool ForceWriteMode() const { return isOn(ServiceMode::ForceWrite); }
    /// True while the tuning sliders are enabled and a write sends the tuning blocks.
    bool DebugMode() const { return isOn(ServiceMode::Debug); }

    /// A click on the toolbar button of mode 0-2 (two within a second switch the mode off).
    void serviceButtonClicked(int button);
    /// A click on caption 0-2 of the hidden gesture that switches mode on (the optional
    /// features editor reports these; the rules of the gesture live here).
    void captionClicked(ServiceMode mode, int caption);

signals:
    /// A mode was switched on or off. Its toolbar button, the tuning sliders (debug mode) and
    /// the lists of the FM service mode follow it.
    void modeChanged(varel::ServiceMode mode, bool on);

private:
    // The three click marks of one gesture and the start of its sequence.
    struct Gesture {
        bool marks[3] = {false, false, false};
        int start = 0;  // whole seconds since midnight
    };

    double now() const;
    void setOn(ServiceMode mode, bool on);

    const Clock& m_clock;
    bool m_on[3] = {false, false, false};
    Gesture m_gestures[3];
    int m_clickTime[3] = {0, 0, 0};  // ServiceClickTime per button; 0: none
};

}  // namespace varel
