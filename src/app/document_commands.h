#pragma once
// The File menu's commands on the whole configuration: New, Open, Save, the channel list
// import and export, and the configuration as text.
#include <QObject>

#include "session/services.h"

namespace varel {

class MemoryImage;
class Session;
struct DataFileResult;

/// New, Open, Save and the channel list exchange.
class DocumentCommands : public QObject {
    Q_OBJECT

public:
    /// Commands on the session's document, meeting the user through services.
    DocumentCommands(Session& session, const AppServices& services, QObject* parent = nullptr);

    /// New: after a confirmation, empties the channel table (one undo step) and puts the
    /// channel editor's cell editors back to their start; the band, the other editors and both
    /// images stay as they are.
    void New();
    /// Open: asks for a data file and opens it as OpenFile does.
    void Open();
    /// Opens the data file at path into InImage, decoded into every editor without the band
    /// question as one undo step; a file of another radio, or one that cannot be read, changes
    /// nothing and is reported. The command line, a dropped file and the recent files open through
    /// it too. True when the file was opened.
    bool OpenFile(const QString& path);
    /// Save: every editor encoded into OutImage and saved as a data file; a failure is
    /// reported and leaves an existing file as it was.
    void Save();
    /// Reads a channel list (CSV) into the channel table as one undo step, with the channel
    /// editor's rules; rows skipped or changed are reported, a malformed file changes nothing.
    void ImportChannels();
    /// Writes the channel table as a channel list (CSV); channels the list cannot carry whole
    /// are reported.
    void ExportChannels();
    /// Reads a configuration text as varel-cli import-text does and loads it as OpenFile loads
    /// a data file (one undo step); a refused text changes nothing and is reported with its line.
    void ImportText();
    /// Writes the configuration as the program holds it (what Save would write) as a text.
    void ExportText();
    /// Opens a backup (the Open dialog offers the backup folder's newest files first) as Open
    /// opens a data file.
    void OpenBackup();
    /// Shows what differs between the configuration and a data file, field by field.
    void CompareWithFile();

signals:
    /// New or Open is about to change the configuration by the program, not by the user's
    /// hand (sent also when the Open is then cancelled or refused).
    void programChangeComing();
    /// The channel table window is to be shown (after an opened file or an import).
    void channelsLoaded();
    /// A data file was opened or saved.
    void dataFileUsed(const QString& path);
    /// Something to say once in the status bar (a file longer than a configuration).
    void notice(const QString& text);

private:
    // Loads the data file at path into image, reporting a refusal or failure; true when loaded.
    bool load(const QString& path, MemoryImage& image);
    void reportFailure(const QString& headline, const DataFileResult& result);
    int message(const QString& text, int style, const QString& title);

    Session& m_session;
    AppServices m_services;
};

}  // namespace varel
