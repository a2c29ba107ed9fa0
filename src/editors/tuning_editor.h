#pragma once
// The power tuning editor Form4: six sliders, one per transmit power grade of groups A and B, on
// two tabs. A slider shows its tuning value from the settings model; a move by the user is one
// undo step, however many positions a drag or a held key passes.
#include <QWidget>

class QGroupBox;
class QLabel;
class QSlider;
class QTabWidget;

namespace varel {

class ServiceModes;
class Session;

/// The power tuning editor Form4: six sliders for the transmit power grades.
class TuningEditor : public QWidget {
    Q_OBJECT

public:
    /// Builds the window hidden, its sliders showing the settings model and enabled while the
    /// debug mode of modes is on.
    TuningEditor(Session& session, ServiceModes& modes);
    /// Writes every static text in the current language.
    void retranslate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadFromModel();
    void setSlidersEnabled(bool enabled);
    void sliderActed(int slider);
    void endMove(int slider);

    Session& m_session;
    QTabWidget* m_tabs = nullptr;
    QSlider* m_sliders[6] = {};
    QGroupBox* m_frames[6] = {};
    QLabel* m_valueLabels[6] = {};
    QLabel* m_lowLabels[6] = {};
    QLabel* m_highLabels[6] = {};
    bool m_moving[6] = {};   // a drag or a key press of the slider is under way
    bool m_pending[6] = {};  // that move has recorded an edit that is still open
};

}  // namespace varel
