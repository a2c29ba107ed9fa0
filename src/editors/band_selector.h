#pragma once
// The band selector on the main window's band strip: the list Combo1 of the three band
// variants, which sets the FrequencyBand, and its label.
#include <QWidget>

class QComboBox;
class QLabel;

namespace varel {

class MainWindow;

/// The band strip's label and band list.
class BandSelector : public QWidget {
    Q_OBJECT

public:
    explicit BandSelector(MainWindow& main);

    /// A change made by the program (start-up, decode): no question, no clearing.
    void selectByProgram(int position);
    /// Writes the label (the entries read the same in both languages).
    void retranslate();

private:
    MainWindow& m_main;
    QLabel* m_label = nullptr;
    QComboBox* m_combo = nullptr;
};

}  // namespace varel
