#include "app/document_commands.h"

#include <QFileInfo>
#include <QStringList>

#include "checks/config_diff.h"
#include "files/data_file.h"
#include "image/image_codec.h"
#include "lists/channel_csv.h"
#include "session/file_dialogs.h"
#include "session/message_boxes.h"
#include "session/message_titles.h"
#include "session/session.h"
#include "textconf/text_file.h"
#include "textconf/text_reader.h"
#include "textconf/text_writer.h"
#include "ui/qt_text.h"

namespace varel {

namespace {

constexpr int kError = MsgStyle::OkOnly | MsgStyle::Critical;

}  // namespace

DocumentCommands::DocumentCommands(Session& session, const AppServices& services, QObject* parent)
    : QObject(parent), m_session(session), m_services(services) {}

bool DocumentCommands::load(const QString& path, MemoryImage& image) {
    DataFileShape shape;
    const DataFileResult result = LoadDataFile(path.toStdString(), image, PipeOpen::NoWait, &shape);
    if (result.error == DataFileError::WrongType) {
        message(QtText(Message::WrongFileType, m_session.language()), kError, MsgTitle::Mistake());
        return false;
    }
    if (!result.ok()) {
        reportFailure(tr("Failed to open the file!"), result);
        return false;
    }
    if (shape.longer())
        emit notice(QFileInfo(path).fileName() + ": " +
                    QtText(Message::FileLonger, m_session.language()));
    return true;
}

void DocumentCommands::New() {
    const int answer = message(tr("Unsaved data will be lost, sure?"), MsgStyle::Confirmation,
                               MsgTitle::Attention());
    if (answer != MsgResult::Ok) return;
    emit programChangeComing();
    m_session.dropPendingEdits();
    m_session.edit(QT_TRANSLATE_NOOP("varel::EditLabel", "New"),
                   [](Document& d) { d.channels.ClearGrid(); });
}

void DocumentCommands::Open() {
    emit programChangeComing();
    const QString path = m_services.fileDialogs->openDataFile();
    if (!path.isEmpty()) OpenFile(path);
}

void DocumentCommands::OpenBackup() {
    // Before the first transfer there is no folder to show.
    if (!QFileInfo(m_services.backupFolder).isDir()) {
        message(tr("No backup has been saved yet: a backup is kept of every read and write."),
                MsgStyle::OkOnly | MsgStyle::Information, MsgTitle::Tip());
        return;
    }
    emit programChangeComing();
    const QString path = m_services.fileDialogs->openBackup(m_services.backupFolder);
    if (!path.isEmpty()) OpenFile(path);
}

bool DocumentCommands::OpenFile(const QString& path) {
    emit programChangeComing();
    // A file that is refused or cannot be read leaves InImage as it was; the file fills every
    // byte but the spare one, which keeps what the last read brought.
    MemoryImage image = m_session.InImage();
    if (!load(path, image)) return false;
    m_session.loadImage(image);
    m_session.decode(QT_TRANSLATE_NOOP("varel::EditLabel", "Open"));
    emit channelsLoaded();
    emit dataFileUsed(path);
    return true;
}

void DocumentCommands::CompareWithFile() {
    const QString path = m_services.fileDialogs->openDataFile();
    if (path.isEmpty()) return;
    MemoryImage other;
    if (!load(path, other)) return;
    // The configuration as a save would write it, against the file's configuration written
    // the same way: what differs is what the program holds differently, not how the file
    // happens to fill bytes that no setting reads.
    m_session.encode();
    const Language lang = m_session.language();
    Configuration theirs;
    DecodeImage(other, theirs, lang);
    MemoryImage written = m_session.OutImage();
    EncodeImage(theirs, written);
    const std::vector<std::string> lines = DiffConfigurations(m_session.OutImage(), written, lang);
    const QString name = QFileInfo(path).fileName();
    if (lines.empty()) {
        message(tr("The configuration and %1 are the same.").arg(name), MsgStyle::OkOnly,
                tr("Compare With File"));
        return;
    }
    QStringList details;
    for (const std::string& line : lines) details << QtText(line);
    m_services.messageBoxes->ShowReport(tr("%n difference(s) between the configuration and %1.",
                                           nullptr, static_cast<int>(lines.size()))
                                            .arg(name),
                                        details.join('\n'), tr("Compare With File"));
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
        reportFailure(read.error == DataFileError::WrongType
                          ? QtText(Message::WrongFileType, m_session.language())
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
        message(QtText(Message::WrongFileType, m_session.language()) + "\n" + report, kError,
                MsgTitle::Mistake());
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

void DocumentCommands::ImportText() {
    emit programChangeComing();
    const QString path = m_services.fileDialogs->openConfigText();
    if (path.isEmpty()) return;
    std::string text;
    const DataFileResult read = textconf::LoadConfigText(path.toStdString(), text);
    if (!read.ok()) {
        reportFailure(tr("Failed to open the file!"), read);
        return;
    }
    const textconf::TextImport result = textconf::ImportText(text, m_session.language());
    if (!result.ok) {
        message(QtText(textconf::RefusalText(QFileInfo(path).fileName().toStdString(), result)),
                kError, MsgTitle::Mistake());
        return;
    }
    // The text gives every filed byte; the spare byte keeps what the last read brought.
    MemoryImage image = m_session.InImage();
    ParseDataFile(result.file, image);
    m_session.loadImage(image);
    m_session.decode(QT_TRANSLATE_NOOP("varel::EditLabel", "Import Text"));
    emit channelsLoaded();
}

void DocumentCommands::ExportText() {
    const QString path = m_services.fileDialogs->saveConfigText();
    if (path.isEmpty()) return;
    m_session.encode();
    const std::string text = textconf::ExportText(BuildDataFile(m_session.OutImage()));
    const DataFileResult saved = textconf::SaveConfigText(path.toStdString(), text);
    if (!saved.ok()) reportFailure(tr("Failed to save the file!"), saved);
}

void DocumentCommands::reportFailure(const QString& headline, const DataFileResult& result) {
    QString text = headline;
    const std::string reason = ReasonText(result, m_session.language());
    if (!reason.empty()) text += "\n" + QtText(reason);
    message(text, kError, MsgTitle::Mistake());
}

int DocumentCommands::message(const QString& text, int style, const QString& title) {
    return m_services.messageBoxes->LocalMsgBox(text, style, title);
}

}  // namespace varel
