#include "app/document_commands.h"

#include "image/channel_csv.h"
#include "image/data_file.h"
#include "session/file_dialogs.h"
#include "session/message_boxes.h"
#include "session/session.h"

namespace varel {

namespace {

constexpr int kError = MsgStyle::OkOnly | MsgStyle::Critical;

// The reasons the system gives most often, and those of the file layer, so that they can be
// shown in the user's language; any other reason is shown as the system words it.
[[maybe_unused]] const char* const kReasons[] = {
    QT_TRANSLATE_NOOP("varel::DocumentCommands", "No such file or directory"),
    QT_TRANSLATE_NOOP("varel::DocumentCommands", "Permission denied"),
    QT_TRANSLATE_NOOP("varel::DocumentCommands", "Is a directory"),
    QT_TRANSLATE_NOOP("varel::DocumentCommands", "Read-only file system"),
    QT_TRANSLATE_NOOP("varel::DocumentCommands", "No space left on device"),
    QT_TRANSLATE_NOOP("varel::DocumentCommands", "Disk quota exceeded"),
    QT_TRANSLATE_NOOP("varel::DocumentCommands", "File name too long"),
    QT_TRANSLATE_NOOP("varel::DocumentCommands", "Input/output error"),
    // The file layer's own reasons.
    QT_TRANSLATE_NOOP("varel::DocumentCommands", "nothing reads from the pipe"),
    QT_TRANSLATE_NOOP("varel::DocumentCommands", "larger than 4 MiB"),
};

}  // namespace

DocumentCommands::DocumentCommands(Session& session, const AppServices& services, QObject* parent)
    : QObject(parent), m_session(session), m_services(services) {}

void DocumentCommands::New() {
    const int answer =
        message(tr("Unsaved data will be lost, sure?"), MsgStyle::Confirmation, tr("Attention"));
    if (answer != MsgResult::Ok) return;
    m_session.disarmBandPrompt();
    m_session.dropPendingEdits();
    m_session.edit(QT_TRANSLATE_NOOP("varel::EditLabel", "New"),
                   [](Document& d) { d.channels.ClearGrid(); });
}

void DocumentCommands::Open() {
    m_session.disarmBandPrompt();
    const QString path = m_services.fileDialogs->openDataFile();
    if (!path.isEmpty()) OpenFile(path);
}

bool DocumentCommands::OpenFile(const QString& path) {
    m_session.disarmBandPrompt();
    // A file that is refused or cannot be read leaves InImage as it was.
    const DataFileResult result = LoadDataFile(path.toStdString(), m_session.InImage());
    if (result.error == DataFileError::WrongType) {
        message(tr("File type is incorrect!"), kError, tr("Mistake"));
        return false;
    }
    if (!result.ok()) {
        reportFailure(tr("Failed to open the file!"), result);
        return false;
    }
    m_session.decode();
    emit channelsLoaded();
    emit dataFileUsed(path);
    return true;
}

void DocumentCommands::Save() {
    const QString path = m_services.fileDialogs->saveDataFile();
    if (path.isEmpty()) return;
    m_session.encode();
    const DataFileResult result = SaveDataFile(path.toStdString(), m_session.OutImage());
    if (!result.ok()) {
        reportFailure(tr("Failed to save the file!"), result);
        return;
    }
    emit dataFileUsed(path);
}

void DocumentCommands::ImportChannels() {
    const QString path = m_services.fileDialogs->openChannelList();
    if (path.isEmpty()) return;
    std::string text;
    const DataFileResult read = LoadChannelCsv(path.toStdString(), text);
    if (!read.ok()) {
        reportFailure(read.error == DataFileError::WrongType ? tr("File type is incorrect!")
                                                             : tr("Failed to open the file!"),
                      read);
        return;
    }
    m_session.commitPendingEdits();
    CsvImport result;
    m_session.edit(QT_TRANSLATE_NOOP("varel::EditLabel", "Import channel list"), [&](Document& d) {
        result = ImportChannelCsv(text, d.channels, m_session.band(), m_session.language());
    });
    emit channelsLoaded();
    if (result.issues.empty()) return;
    const QString report = QString::fromStdString(CsvReportText(result, m_session.language()));
    const QString summary = report.trimmed().section('\n', -1);
    if (result.refused)
        message(tr("File type is incorrect!") + "\n" + report, kError, tr("Mistake"));
    else
        m_services.messageBoxes->ShowReport(summary, report, tr("Import Channels (CSV)"));
}

void DocumentCommands::ExportChannels() {
    const QString path = m_services.fileDialogs->saveChannelList();
    if (path.isEmpty()) return;
    m_session.commitPendingEdits();
    const CsvExport result = ExportChannelCsv(m_session.channels().model());
    const DataFileResult saved = SaveChannelCsv(path.toStdString(), result.text);
    if (!saved.ok()) {
        reportFailure(tr("Failed to save the file!"), saved);
        return;
    }
    if (result.issues.empty()) return;
    m_services.messageBoxes->ShowReport(
        tr("%n channel(s) written; some could not be written whole.", nullptr, result.rows),
        QString::fromStdString(CsvReportText(result, m_session.language())),
        tr("Export Channels (CSV)"));
}

void DocumentCommands::reportFailure(const QString& headline, const DataFileResult& result) {
    QString text = headline;
    if (!result.detail.empty()) text += "\n" + tr(result.detail.c_str());
    message(text, kError, tr("Mistake"));
}

int DocumentCommands::message(const QString& text, int style, const QString& title) {
    return m_services.messageBoxes->LocalMsgBox(text, style, title);
}

}  // namespace varel
