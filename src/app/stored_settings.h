#pragma once
// The language and the port as the program keeps them between runs.
//
// The language is the first byte of the 4-byte value "BinaryValue" in group "Kelta" of the
// program's QSettings; an older form, the text "Languages" in group "Varel" ("english" for
// English), is read once and deleted. The port is the first byte of the file "parameter" in the
// program's folder, or in the per-user configuration folder when the program's folder cannot
// hold it or belongs to the system. The recent files are the list "Recent/Files" of the store.
#include <QString>

#include "session/app_settings.h"

class QSettings;

namespace varel {

/// AppSettings kept in a QSettings store and a one-byte port file.
class StoredSettings : public AppSettings {
public:
    /// Keeps the language in store and the port file in programFolder, or in userFolder
    /// (created when needed) when programFolder cannot hold it. store must outlive this.
    StoredSettings(QSettings& store, const QString& programFolder, const QString& userFolder);

    /// The port LoadPortNumber gives when none was ever stored (0: none).
    void setFirstPort(int port) { m_firstPort = port; }

    int LoadLanguage() override;
    void SaveLanguage(int languageFlag) override;
    int LoadPortNumber() override;
    void SavePortNumber(int portNumber) override;
    QStringList LoadRecentFiles() override;
    void SaveRecentFiles(const QStringList& files) override;

private:
    QString valueText(const QString& key) const;
    bool choosePortFile();

    QSettings& m_store;
    QString m_programFolder;
    QString m_userFolder;
    QString m_portFile;
    int m_firstPort = 0;
};

/// The program folder to give StoredSettings for the executable's folder: none for a folder of
/// the installed system (/usr, /opt, /bin, /sbin and below), which holds no user's files even
/// when the user (root) could write there; the folder itself otherwise.
QString PortFileProgramFolder(const QString& executableFolder);

}  // namespace varel
