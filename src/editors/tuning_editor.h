#pragma once
// The power tuning editor Form4: six sliders for the transmit power grades.
#include <QWidget>

namespace varel {

class MainWindow;

/// The power tuning editor Form4: six sliders for the transmit power grades.
class TuningEditor : public QWidget {
    Q_OBJECT

public:
    explicit TuningEditor(MainWindow& main);
    /// Writes every static text in the current language.
    void retranslate();

private:
    MainWindow& m_main;
};

}  // namespace varel
