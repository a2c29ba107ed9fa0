#pragma once
// The File menu's paper: the configuration exported as a PDF channel list or pocket card and
// opened in the desktop's viewer for printing.
#include <QObject>
#include <QString>

#include "session/services.h"

namespace varel {

class Session;

/// Export PDF and Export Pocket Card.
class PaperCommands : public QObject {
    Q_OBJECT

public:
    /// Commands on the session's document, meeting the user through services.
    PaperCommands(Session& session, const AppServices& services, QObject* parent = nullptr);

    /// Asks for a PDF file, saves the channel list with the settings sheet (card false) or the
    /// pocket card (card true) of every editor's values in the program's language, and opens
    /// it in the desktop's viewer; a failed save is reported and leaves an existing file.
    void ExportPdf(bool card);
    /// The data file the configuration came from or went to, named in the pages' header;
    /// empty for none (a read from the radio, or before any file).
    void setDataFile(const QString& path) { m_dataFile = path; }

private:
    Session& m_session;
    AppServices m_services;
    QString m_dataFile;
};

}  // namespace varel
