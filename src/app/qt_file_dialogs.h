#pragma once
// The file dialogs of the File menu as the toolkit shows them.
#include "session/file_dialogs.h"

class QWidget;

namespace varel {

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
    // descriptionsOnly: each filter ends in its patterns in parentheses, which are not shown.
    QString ask(bool save, const QStringList& filters, const QString& suffix,
                bool descriptionsOnly);

    QWidget* m_owner;
};

}  // namespace varel
