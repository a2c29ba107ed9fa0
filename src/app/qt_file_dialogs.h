#pragma once
// The file dialogs of the File menu as the toolkit shows them.
#include "session/file_dialogs.h"

class QWidget;

namespace varel {

class AppSettings;

/// The folder the data file and channel list dialogs start in: the program's folder when it is
/// the user's own (writable, and no folder of the installed system); otherwise the folder of
/// lastFile, the data file last opened or saved, while that folder exists; else home.
QString DialogStartFolder(const QString& programFolder, const QString& lastFile,
                          const QString& home);

/// The toolkit's own (non-native) file dialogs, each starting in DialogStartFolder.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* owner = nullptr);
    void setOwner(QWidget* owner) { m_owner = owner; }
    /// Where the recent data files are kept (the latest first); none: no last file.
    void setRecentFiles(AppSettings* settings) { m_recent = settings; }
    /// The program's folder (the executable's folder unless set).
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }
    QString openDataFile() override;
    QString saveDataFile() override;
    QString openBackup(const QString& folder) override;
    QString openChannelList() override;
    QString saveChannelList() override;
    QString openConfigText() override;
    QString saveConfigText() override;
    QString savePdf() override;

private:
    // descriptionsOnly: each filter ends in its patterns in parentheses, which are not shown;
    // folder: where the dialog starts (empty: DialogStartFolder).
    QString ask(bool save, const QStringList& filters, const QString& suffix, bool descriptionsOnly,
                const QString& folder = QString());

    QWidget* m_owner;
    AppSettings* m_recent = nullptr;
    QString m_programFolder;
};

}  // namespace varel
