#include "app/document_commands.h"

#include "app/main_window.h"
#include "editors/band_selector.h"
#include "editors/channel_editor.h"
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

DocumentCommands::DocumentCommands(MainWindow& main) : QObject(&main), m_main(main) {}

void DocumentCommands::New() {
    const int answer = m_main.services().messageBoxes->LocalMsgBox(
        tr("Unsaved data will be lost, sure?"), MsgStyle::Confirmation, tr("Attention"));
    if (answer != MsgResult::Ok) return;
    m_main.bandSelector()->disarmPrompt();
    m_main.channelEditor()->StartForm();
}

void DocumentCommands::Open() {
    m_main.bandSelector()->disarmPrompt();
    const QString path = m_main.services().fileDialogs->openDataFile();
    if (path.isEmpty()) return;
    Session& session = m_main.session();
    // A file that is refused or cannot be read leaves InImage as it was.
    const DataFileResult result = LoadDataFile(path.toStdString(), session.InImage());
    if (result.error == DataFileError::WrongType) {
        m_main.services().messageBoxes->LocalMsgBox(tr("File type is incorrect!"), kError,
                                                    tr("Mistake"));
        return;
    }
    if (!result.ok()) {
        reportFailure(tr("Failed to open the file!"), result);
        return;
    }
    session.decode();
    m_main.showChild(m_main.channelEditor());
}

void DocumentCommands::Save() {
    const QString path = m_main.services().fileDialogs->saveDataFile();
    if (path.isEmpty()) return;
    Session& session = m_main.session();
    session.encode();
    const DataFileResult result = SaveDataFile(path.toStdString(), session.OutImage());
    if (!result.ok()) reportFailure(tr("Failed to save the file!"), result);
}

void DocumentCommands::ImportChannels() {
    const QString path = m_main.services().fileDialogs->openChannelList();
    if (path.isEmpty()) return;
    std::string text;
    const DataFileResult read = LoadChannelCsv(path.toStdString(), text);
    if (!read.ok()) {
        reportFailure(read.error == DataFileError::WrongType ? tr("File type is incorrect!")
                                                             : tr("Failed to open the file!"),
                      read);
        return;
    }
    m_main.channelEditor()->commitPendingEdits();
    Session& session = m_main.session();
    CsvImport result;
    session.edit(tr("Import channel list"), [&](Document& d) {
        result = ImportChannelCsv(text, d.channels, session.band(), session.language());
    });
    m_main.showChild(m_main.channelEditor());
    if (result.issues.empty()) return;
    const QString report = QString::fromStdString(CsvReportText(result, session.language()));
    const QString summary = report.trimmed().section('\n', -1);
    if (result.refused)
        m_main.services().messageBoxes->LocalMsgBox(tr("File type is incorrect!") + "\n" + report,
                                                    kError, tr("Mistake"));
    else
        m_main.services().messageBoxes->ShowReport(summary, report, tr("Import Channels (CSV)"));
}

void DocumentCommands::ExportChannels() {
    const QString path = m_main.services().fileDialogs->saveChannelList();
    if (path.isEmpty()) return;
    m_main.channelEditor()->commitPendingEdits();
    Session& session = m_main.session();
    const CsvExport result = ExportChannelCsv(session.channels().model());
    const DataFileResult saved = SaveChannelCsv(path.toStdString(), result.text);
    if (!saved.ok()) {
        reportFailure(tr("Failed to save the file!"), saved);
        return;
    }
    if (result.issues.empty()) return;
    m_main.services().messageBoxes->ShowReport(
        tr("%n channel(s) written; some could not be written whole.", nullptr, result.rows),
        QString::fromStdString(CsvReportText(result, session.language())),
        tr("Export Channels (CSV)"));
}

void DocumentCommands::reportFailure(const QString& headline, const DataFileResult& result) {
    QString text = headline;
    if (!result.detail.empty()) text += "\n" + tr(result.detail.c_str());
    m_main.services().messageBoxes->LocalMsgBox(text, kError, tr("Mistake"));
}

}  // namespace varel
