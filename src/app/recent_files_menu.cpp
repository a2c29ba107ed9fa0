#include "app/recent_files_menu.h"

#include <QDir>
#include <QFileInfo>

#include "session/app_settings.h"
#include "session/message_boxes.h"

namespace varel {

namespace {

// The form a file is listed in, so that one file is listed once however it was named.
QString Listed(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

}  // namespace

RecentFilesMenu::RecentFilesMenu(AppSettings& settings, MessageBoxes& boxes, QWidget* parent)
    : QMenu(parent), m_settings(settings), m_boxes(boxes) {
    setObjectName("MNRecent");
    menuAction()->setObjectName("MNRecentMenu");
    // A stored list edited by hand may hold empty, repeated or too many names.
    for (const QString& path : m_settings.LoadRecentFiles()) {
        if (path.isEmpty() || m_files.contains(Listed(path))) continue;
        m_files << Listed(path);
        if (m_files.size() == kMaxFiles) break;
    }
    rebuild();
}

void RecentFilesMenu::add(const QString& path) {
    if (path.isEmpty()) return;
    const QString listed = Listed(path);
    m_files.removeAll(listed);
    m_files.prepend(listed);
    while (m_files.size() > kMaxFiles) m_files.removeLast();
    store();
}

void RecentFilesMenu::pick(const QString& path) {
    if (QFileInfo::exists(path)) {
        emit openRequested(path);
        return;
    }
    m_files.removeAll(path);
    store();
    m_boxes.LocalMsgBox(
        tr("The file no longer exists:\n%1\nIt is taken off the list of recent files.")
            .arg(QDir::toNativeSeparators(path)),
        MsgStyle::OkOnly | MsgStyle::Exclamation, tr("Attention"));
}

void RecentFilesMenu::store() {
    m_settings.SaveRecentFiles(m_files);
    rebuild();
}

void RecentFilesMenu::rebuild() {
    // The item that was picked may be the one whose signal runs now: the old items go later.
    for (QAction* old : actions()) {
        removeAction(old);
        old->deleteLater();
    }
    for (int i = 0; i < m_files.size(); ++i) {
        const QString& path = m_files[i];
        QString shown = QDir::toNativeSeparators(path);
        shown.replace('&', "&&");
        QAction* item = addAction(QString("&%1 %2").arg(i + 1).arg(shown));
        item->setObjectName(QString("MNRecent%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, path] { pick(path); });
    }
    menuAction()->setEnabled(!m_files.isEmpty());
}

void RecentFilesMenu::retranslate() {
    setTitle(tr("Recent Files(&R)"));
}

}  // namespace varel
