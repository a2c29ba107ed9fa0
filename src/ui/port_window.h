#pragma once
// The serial port window Form6: twenty options Com1 to Com20.
#include <QWidget>

namespace varel {

class MainWindow;

/// The serial port window Form6: twenty options Com1 to Com20.
class PortWindow : public QWidget {
    Q_OBJECT

public:
    explicit PortWindow(MainWindow& main);
    /// Before the window is shown: selects the option of PortNumber when one was chosen.
    void prepareToShow() {}
    /// Writes every static text in the current language.
    void retranslate();

private:
    MainWindow& m_main;
};

}  // namespace varel
