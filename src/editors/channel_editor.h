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

private:
    MainWindow& m_main;
};

}  // namespace varel
