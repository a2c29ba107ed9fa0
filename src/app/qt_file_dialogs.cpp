#include "app/qt_file_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QListView>
#include <QTreeView>

#include "app/stored_settings.h"
#include "session/app_settings.h"

namespace varel {

namespace {

// The filter text of the data file dialogs, as pairs of description and pattern.
const char kDataFilter[] = "DAT文件(*.dat)|*.dat|AllFiles(*.*)|*.*|";

// The filters of kDataFilter as the dialog takes them: each description followed by its
// pattern, which the dialog uses and does not show. "*.*" stands for every file, as it did
// where the filter text comes from; here it would hide the names without a point.
QStringList DataFileFilters() {
    const QStringList parts = QString::fromUtf8(kDataFilter).split('|', Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = parts[i + 1] == "*.*" ? "*" : parts[i + 1];
        filters << QString("%1 (%2)").arg(parts[i], pattern);
    }
    return filters;
}

}  // namespace

QString DialogStartFolder(const QString& programFolder, const QString& lastFile,
                          const QString& home) {
    // An installed program's folder holds no user's files, even where root could write there.
    const QFileInfo own(PortFileProgramFolder(programFolder));
    if (!programFolder.isEmpty() && own.isDir() && own.isWritable()) return programFolder;
    if (!lastFile.isEmpty()) {
        const QString folder = QFileInfo(lastFile).absolutePath();
        if (QFileInfo(folder).isDir()) return folder;
    }
    return home;
}

QtFileDialogs::QtFileDialogs(QWidget* owner)
    : m_owner(owner), m_programFolder(QCoreApplication::applicationDirPath()) {}

QString QtFileDialogs::ask(bool save, const QStringList& filters, const QString& suffix,
                           bool descriptionsOnly, const QString& folder) {
    QFileDialog dialog(m_owner);
    dialog.setObjectName("CommonDialog1");
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, descriptionsOnly);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(0));
    dialog.setDefaultSuffix(suffix);
    const QString lastFile = m_recent != nullptr ? m_recent->LoadRecentFiles().value(0) : QString();
    dialog.setDirectory(
        folder.isEmpty() ? DialogStartFolder(m_programFolder, lastFile, QDir::homePath()) : folder);
    if (!folder.isEmpty()) {
        // The backups' names hold their times: the newest come first.
        if (auto* files = dialog.findChild<QTreeView*>())
            files->sortByColumn(0, Qt::DescendingOrder);
        if (auto* files = dialog.findChild<QListView*>("listView"))
            files->model()->sort(0, Qt::DescendingOrder);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtFileDialogs::openDataFile() {
    return ask(false, DataFileFilters(), QString(), true);
}

QString QtFileDialogs::saveDataFile() {
    return ask(true, DataFileFilters(), "dat", true);
}

QString QtFileDialogs::openBackup(const QString& folder) {
    return ask(false, DataFileFilters(), QString(), true, folder);
}

QString QtFileDialogs::openChannelList() {
    return ask(false,
               {QCoreApplication::translate("FileDialogs", "CSV files (*.csv)"),
                QCoreApplication::translate("FileDialogs", "All files (*)")},
               QString(), false);
}

QString QtFileDialogs::saveChannelList() {
    return ask(true, {QCoreApplication::translate("FileDialogs", "CSV files (*.csv)")}, "csv",
               false);
}

QString QtFileDialogs::openConfigText() {
    return ask(false,
               {QCoreApplication::translate("FileDialogs", "Configuration texts (*.yaml *.yml)"),
                QCoreApplication::translate("FileDialogs", "All files (*)")},
               QString(), false);
}

QString QtFileDialogs::saveConfigText() {
    return ask(true,
               {QCoreApplication::translate("FileDialogs", "Configuration texts (*.yaml *.yml)")},
               "yaml", false);
}

QString QtFileDialogs::savePdf() {
    return ask(true, {QCoreApplication::translate("FileDialogs", "PDF files (*.pdf)")}, "pdf",
               false);
}

}  // namespace varel
