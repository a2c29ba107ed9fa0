#pragma once
// The file dialogs of the File menu; tests replace them.
#include <QString>

class QWidget;

namespace varel {

/// Asks the user for a file; an empty result means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    /// The data file to open.
    virtual QString openDataFile() = 0;
    /// The data file to save to (the user has agreed to replace an existing one).
    virtual QString saveDataFile() = 0;
    /// The channel list to import.
    virtual QString openChannelList() = 0;
    /// The channel list to export to (the user has agreed to replace an existing one).
    virtual QString saveChannelList() = 0;
};

/// The toolkit's own (non-native) file dialogs, each starting in the program's folder when it
/// is writable and in the home folder otherwise.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* owner = nullptr);
    void setOwner(QWidget* owner) { m_owner = owner; }
    QString openDataFile() override;
    QString saveDataFile() override;
    QString openChannelList() override;
    QString saveChannelList() override;

private:
    QString ask(bool save, const QStringList& filters, const QString& suffix);

    QWidget* m_owner;
};

}  // namespace varel
