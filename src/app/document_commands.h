#pragma once
// The File menu's commands on the whole configuration: New, Open, Save, and the channel list
// import and export.
#include <QObject>

namespace varel {

class MainWindow;
struct DataFileResult;

/// New, Open, Save and the channel list exchange.
class DocumentCommands : public QObject {
    Q_OBJECT

public:
    explicit DocumentCommands(MainWindow& main);

    /// New: after a confirmation, empties the channel table (one undo step); the band, the
    /// other editors and both images stay as they are.
    void New();
    /// Open: a data file into InImage, decoded into every editor without the band question;
    /// a file of another radio, or one that cannot be read, changes nothing and is reported.
    void Open();
    /// Save: every editor encoded into OutImage and saved as a data file; a failure is
    /// reported and leaves an existing file as it was.
    void Save();
    /// Reads a channel list (CSV) into the channel table as one undo step, with the channel
    /// editor's rules; rows skipped or changed are reported, a malformed file changes nothing.
    void ImportChannels();
    /// Writes the channel table as a channel list (CSV); channels the list cannot carry whole
    /// are reported.
    void ExportChannels();

private:
    void reportFailure(const QString& headline, const DataFileResult& result);

    MainWindow& m_main;
};

}  // namespace varel
