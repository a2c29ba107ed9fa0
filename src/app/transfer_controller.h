#pragma once
// Reading and writing the radio from the program: StartRead, StartWrite, the progress window,
// every ending and the re-enable timer Timer1.
#include <QObject>

namespace varel {

class MainWindow;

/// Runs the radio transfers of the main window.
class TransferController : public QObject {
    Q_OBJECT

public:
    explicit TransferController(MainWindow& main);

    /// StartRead: reads the radio's memory into InImage and decodes it.
    void StartRead() {}
    /// StartWrite: encodes into OutImage and writes it to the radio.
    void StartWrite() {}
    /// Texts of the progress window, when it is shown.
    void retranslate() {}

private:
    MainWindow& m_main;
};

}  // namespace varel
