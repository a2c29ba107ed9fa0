#include "app/paper_commands.h"

#include <QDate>
#include <QFileInfo>

#include "files/file_io.h"
#include "link/write_fingerprint.h"
#include "paper/paper_pdf.h"
#include "session/file_dialogs.h"
#include "session/file_viewer.h"
#include "session/message_boxes.h"
#include "session/message_titles.h"
#include "session/session.h"
#include "ui/qt_text.h"

namespace varel {

PaperCommands::PaperCommands(Session& session, const AppServices& services, QObject* parent)
    : QObject(parent), m_session(session), m_services(services) {}

void PaperCommands::ExportPdf(bool card) {
    const QString path = m_services.fileDialogs->savePdf();
    if (path.isEmpty()) return;
    m_session.encode();
    PaperJob job;
    job.cfg = Configuration{m_session.channels().model(), m_session.settings()};
    job.lang = m_session.language();
    job.fileName = QFileInfo(m_dataFile).fileName().toStdString();
    job.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    job.fingerprint = link::WriteFingerprint(m_session.OutImage());
    job.paper = DefaultPaper();
    const QByteArray pdf = card ? PocketCardPdf(job) : ChannelListPdf(job);
    const DataFileResult saved =
        ReplaceFile(path.toStdString(), std::vector<std::uint8_t>(pdf.begin(), pdf.end()));
    if (!saved.ok()) {
        QString text = tr("Failed to save the file!");
        const std::string reason = ReasonText(saved, m_session.language());
        if (!reason.empty()) text += "\n" + QtText(reason);
        m_services.messageBoxes->LocalMsgBox(text, MsgStyle::OkOnly | MsgStyle::Critical,
                                             MsgTitle::Mistake());
        return;
    }
    if (!m_services.viewer->showFile(path))
        m_services.messageBoxes->LocalMsgBox(
            tr("%1 was saved, but no program to show it could be started.").arg(path),
            MsgStyle::OkOnly | MsgStyle::Exclamation, MsgTitle::Mistake());
}

}  // namespace varel
