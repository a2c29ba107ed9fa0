#pragma once
// The main window MDIForm1: menu bar, toolbar, band strip, status bar and the editors as child
// windows; it dispatches every command to the part of the program that carries it out.
#include <QMainWindow>

#include "session/services.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;

namespace varel {

class BandSelector;
class ChannelEditor;
class DoctorWindow;
class DocumentCommands;
class FeaturesEditor;
class FleetWindow;
class FmEditor;
class PaperCommands;
class PortWindow;
class RecentFilesMenu;
class ServiceModes;
class Session;
enum class ServiceMode;
class TransferController;
class TuningEditor;

/// The main window and the owner of the editors and of the program's commands.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    /// Builds the window and runs its load sequence: the stored language, band 0, Form1 shown,
    /// the other editors loaded hidden, PortNumber loaded, the ports probed, status panel 1
    /// "COM: " and the port, then every window's texts. Session and services must outlive the
    /// window.
    MainWindow(Session& session, const AppServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    Session& session() { return m_session; }
    const AppServices& services() const { return m_services; }

    ChannelEditor* channelEditor() const { return m_channelEditor; }
    BandSelector* bandSelector() const { return m_bandSelector; }
    TuningEditor* tuningEditor() const { return m_tuningEditor; }
    FmEditor* fmEditor() const { return m_fmEditor; }
    PortWindow* portWindow() const { return m_portWindow; }
    DoctorWindow* doctorWindow() const { return m_doctorWindow; }
    TransferController* transfers() const { return m_transfers; }
    ServiceModes* serviceModes() const { return m_serviceModes; }
    DocumentCommands* documentCommands() const { return m_documents; }
    RecentFilesMenu* recentFiles() const { return m_recentFiles; }

    /// A menu item (MNNew ...) or toolbar button action (TNew ...) by its name; null if none.
    QAction* action(const QString& name) const;
    /// Status bar panel 1 to 4.
    QLabel* statusPanel(int panel) const;

    /// Shows an editor's child window and brings it to the front.
    void showChild(QWidget* editor);
    /// Diagnose Connection: shows the connection doctor's window and runs it for PortNumber.
    void showDoctor();
    /// "Write to Several Radios...": the window FormFleet, its ports probed again.
    FleetWindow* showFleet();
    /// The program is about to end (SIGTERM or SIGINT): every transfer under way, the fleet's
    /// too, sends End and closes its port at once.
    void stopTransfersForExit();

    /// ApplyLanguage: writes every static text of every window in the current language.
    void ApplyLanguage();
    /// The language commands: sets LanguageFlag, ApplyLanguage, then RefreshGrid.
    void setLanguage(int languageFlag);

    /// PortNumber: the chosen serial port 1 to 20, 0 when none was chosen; loaded at start and
    /// stored by the exit sequence.
    int portNumber() const { return m_portNumber; }
    /// Chooses the port the next transfer opens (the port window's click).
    void setPortNumber(int port) { m_portNumber = port; }

    /// Enables or disables MNRead, MNWrite and the toolbar buttons TRead and TWrite together.
    void setTransferCommandsEnabled(bool enabled);

protected:
    /// Any attempt to close asks first; OK runs the exit sequence.
    void closeEvent(QCloseEvent* event) override;
    /// A drag of one local file is welcome anywhere on the window; its drop opens the file as
    /// Open does, once the drop is over.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    /// Keeps every child window inside the work area when the work area shrinks.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void addChannelMenu();
    void buildStatusBar();
    QMdiSubWindow* addChild(QWidget* editor);
    static QMdiSubWindow* frame(const QWidget* editor);
    void place(QMdiSubWindow* sub, QWidget* editor);
    void widenToMinimum(QMdiSubWindow* sub);
    void keepInside(QMdiSubWindow* sub) const;
    void keyboardToGrid();
    void retranslate();
    void updateClock();
    void showAbout();
    void followServiceMode(ServiceMode mode, bool on);
    void nameUndoSteps();
    void showFlagCount(int count);

    Session& m_session;
    AppServices m_services;
    QMdiArea* m_mdi = nullptr;
    QToolBar* m_toolbar = nullptr;
    QToolBar* m_bandStrip = nullptr;
    QLabel* m_panels[4] = {};
    QLabel* m_flagCount = nullptr;  // how many values of the document are doubtful
    ChannelEditor* m_channelEditor = nullptr;
    BandSelector* m_bandSelector = nullptr;
    FeaturesEditor* m_featuresEditor = nullptr;
    TuningEditor* m_tuningEditor = nullptr;
    FmEditor* m_fmEditor = nullptr;
    PortWindow* m_portWindow = nullptr;
    DoctorWindow* m_doctorWindow = nullptr;
    FleetWindow* m_fleetWindow = nullptr;  // made when first shown
    TransferController* m_transfers = nullptr;
    ServiceModes* m_serviceModes = nullptr;
    DocumentCommands* m_documents = nullptr;
    PaperCommands* m_paper = nullptr;
    RecentFilesMenu* m_recentFiles = nullptr;
    int m_portNumber = 0;  // PortNumber
};

}  // namespace varel
