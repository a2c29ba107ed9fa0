#pragma once
// The file dialogs of the File menu; tests replace them.
#include <QString>

namespace varel {

/// Asks the user for a file; an empty result means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    /// The data file to open.
    virtual QString openDataFile() = 0;
    /// The data file to save to (the user has agreed to replace an existing one).
    virtual QString saveDataFile() = 0;
    /// A data file of the backup folder, the newest first.
    virtual QString openBackup(const QString& folder) = 0;
    /// The channel list to import.
    virtual QString openChannelList() = 0;
    /// The channel list to export to (the user has agreed to replace an existing one).
    virtual QString saveChannelList() = 0;
    /// The configuration text to import.
    virtual QString openConfigText() = 0;
    /// The configuration text to export to (the user has agreed to replace an existing one).
    virtual QString saveConfigText() = 0;
    /// The PDF to export to (the user has agreed to replace an existing one).
    virtual QString savePdf() = 0;
};

}  // namespace varel
