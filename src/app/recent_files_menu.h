#pragma once
// File > Recent Files: the data files last opened or saved, kept between runs.
#include <QMenu>
#include <QStringList>

namespace varel {

class AppSettings;
class MessageBoxes;

/// The submenu of the recent data files, the latest first, at most kMaxFiles. The list is
/// stored through AppSettings whenever it changes. Picking a file that no longer exists says so
/// and takes it off the list; picking one that exists asks for it to be opened.
class RecentFilesMenu : public QMenu {
    Q_OBJECT

public:
    static constexpr int kMaxFiles = 8;

    /// Loads the stored list; settings and boxes must outlive the menu.
    RecentFilesMenu(AppSettings& settings, MessageBoxes& boxes, QWidget* parent = nullptr);

    /// The files listed, the latest first (absolute paths).
    const QStringList& files() const { return m_files; }
    /// Puts the file first (a listed file moves up) and drops what falls beyond kMaxFiles.
    void add(const QString& path);
    /// Writes the menu's title in the current language.
    void retranslate();

signals:
    /// A listed file that exists was picked.
    void openRequested(const QString& path);

private:
    void pick(const QString& path);
    void store();
    void rebuild();

    AppSettings& m_settings;
    MessageBoxes& m_boxes;
    QStringList m_files;
};

}  // namespace varel
