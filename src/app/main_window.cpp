#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolBar>

#include "app/document_commands.h"
#include "app/fleet_window.h"
#include "app/paper_commands.h"
#include "app/recent_files_menu.h"
#include "app/transfer_controller.h"
#include "app/ui_language.h"
#include "editors/band_selector.h"
#include "editors/channel_actions.h"
#include "editors/channel_editor.h"
#include "editors/channel_flags.h"
#include "editors/doctor_window.h"
#include "editors/features_editor.h"
#include "editors/fm_editor.h"
#include "editors/port_window.h"
#include "editors/tuning_editor.h"
#include "files/backups.h"
#include "session/app_settings.h"
#include "session/message_boxes.h"
#include "session/message_titles.h"
#include "session/port_scanner.h"
#include "session/service_modes.h"
#include "session/session.h"
#include "ui/about_box.h"
#include "ui/application_title.h"
#include "ui/toolbar_icons.h"
#include "ui/twips.h"

namespace varel {

namespace {

// The Chinese text of status panel 2, naming the maker; English mode writes nothing there.
const char kMakerText[] = "欢迎使用 Varel 对讲机编程软件";

struct MenuItem {
    const char* name;     // objectName of the action
    const char* menu;     // objectName of its menu
    const char* caption;  // English caption (the translation gives the Chinese one)
    const char* shortcut;
    bool available;
};

// The menu bar in order. An item without a caption is a separator.
const MenuItem kMenuItems[] = {
    {"MNNew", "MNFile", QT_TRANSLATE_NOOP("varel::MainWindow", "New(&N)"), "Ctrl+N", true},
    {"MNOpen", "MNFile", QT_TRANSLATE_NOOP("varel::MainWindow", "Open(&O)"), "Ctrl+O", true},
    {"MNSave", "MNFile", QT_TRANSLATE_NOOP("varel::MainWindow", "Save(&S)"), "Ctrl+S", true},
    {"MNPrint", "MNFile", QT_TRANSLATE_NOOP("varel::MainWindow", "Print(&P)"), "", false},
    {"MNLineCsv", "MNFile", nullptr, "", true},
    {"MNImportCsv", "MNFile", QT_TRANSLATE_NOOP("varel::MainWindow", "Import Channels (CSV)..."),
     "", true},
    {"MNExportCsv", "MNFile", QT_TRANSLATE_NOOP("varel::MainWindow", "Export Channels (CSV)..."),
     "", true},
    {"MNImportText", "MNFile", QT_TRANSLATE_NOOP("varel::MainWindow", "Import Text..."), "", true},
    {"MNExportText", "MNFile", QT_TRANSLATE_NOOP("varel::MainWindow", "Export Text..."), "", true},
    {"MNExportPdf", "MNFile", QT_TRANSLATE_NOOP("varel::MainWindow", "Export PDF..."), "", true},
    {"MNExportCard", "MNFile", QT_TRANSLATE_NOOP("varel::MainWindow", "Export Pocket Card..."), "",
     true},
    {"MNLineSafety", "MNFile", nullptr, "", true},
    {"MNBackups", "MNFile", QT_TRANSLATE_NOOP("varel::MainWindow", "Backups..."), "", true},
    {"MNCompare", "MNFile", QT_TRANSLATE_NOOP("varel::MainWindow", "Compare With File..."), "",
     true},
    {"MNLine1", "MNFile", nullptr, "", true},
    {"MNQuit", "MNFile", QT_TRANSLATE_NOOP("varel::MainWindow", "Quit(&Q)"), "", true},
    //: Menu item; the channel window's own caption, 信道编辑, is in the codec's bilingual table.
    {"MNModel", "MNEdit", QT_TRANSLATE_NOOP("varel::MainWindow", "Channel Edit(&M)"), "Ctrl+M",
     true},
    {"MNDTMF", "MNEdit", QT_TRANSLATE_NOOP("varel::MainWindow", "DTMF(&D)"), "Ctrl+D", false},
    {"MNOption", "MNEdit", QT_TRANSLATE_NOOP("varel::MainWindow", "Optional Features(&P)"),
     "Ctrl+P", true},
    {"MNDebug", "MNEdit", QT_TRANSLATE_NOOP("varel::MainWindow", "Debug Information(&B)"), "Ctrl+B",
     true},
    //: Menu item; the FM window's own caption, FM频道设置, is in the codec's bilingual table.
    {"MNFMset", "MNEdit", QT_TRANSLATE_NOOP("varel::MainWindow", "FM Channel Set"), "Ctrl+F", true},
    {"MNLineUndo", "MNEdit", nullptr, "", true},
    {"MNUndo", "MNEdit", QT_TRANSLATE_NOOP("varel::MainWindow", "Undo(&U)"), "Ctrl+Z", true},
    {"MNRedo", "MNEdit", QT_TRANSLATE_NOOP("varel::MainWindow", "Redo(&R)"), "Ctrl+Y", true},
    {"MNRead", "MNProgram",
     QT_TRANSLATE_NOOP("varel::MainWindow", "Read Data from the Transceive(&R)"), "Ctrl+R", true},
    {"MNWrite", "MNProgram",
     QT_TRANSLATE_NOOP("varel::MainWindow", "Write Data in the Transceive(&W)"), "Ctrl+W", true},
    {"MNVerify", "MNProgram", QT_TRANSLATE_NOOP("varel::MainWindow", "Verify After Write"), "",
     true},
    {"MNCommPort", "MNProgram", QT_TRANSLATE_NOOP("varel::MainWindow", "Communication Port(&C)"),
     "", true},
    {"MNDoctor", "MNProgram", QT_TRANSLATE_NOOP("varel::MainWindow", "Diagnose Connection..."), "",
     true},
    {"MNFleet", "MNProgram", QT_TRANSLATE_NOOP("varel::MainWindow", "Write to Several Radios..."),
     "", true},
    {"MNChinese", "MNLanguage", QT_TRANSLATE_NOOP("varel::MainWindow", "Chinese(&C)"), "", true},
    {"MNEnglish", "MNLanguage", QT_TRANSLATE_NOOP("varel::MainWindow", "English(&E)"), "", true},
    {"MNF1", "MNHelp", QT_TRANSLATE_NOOP("varel::MainWindow", "Help Theme(F1)"), "F1", false},
    {"MNAbout", "MNHelp", QT_TRANSLATE_NOOP("varel::MainWindow", "About(&H)"), "Ctrl+A", true},
};

struct MenuInfo {
    const char* name;
    const char* caption;
};

const MenuInfo kMenus[] = {
    {"MNFile", QT_TRANSLATE_NOOP("varel::MainWindow", "File(&F)")},
    {"MNEdit", QT_TRANSLATE_NOOP("varel::MainWindow", "Edit(&E)")},
    {"MNProgram", QT_TRANSLATE_NOOP("varel::MainWindow", "Programming(&G)")},
    {"MNLanguage", QT_TRANSLATE_NOOP("varel::MainWindow", "Language Select(&L)")},
    {"MNHelp", QT_TRANSLATE_NOOP("varel::MainWindow", "Help(&H)")},
};

struct ToolButton {
    const char* key;      // the button's key, also the action's objectName
    const char* tooltip;  // English tooltip; none for the service buttons
    bool visible;
};

const ToolButton kToolButtons[] = {
    {"TNew", QT_TRANSLATE_NOOP("varel::MainWindow", "New"), true},
    {"TOpen", QT_TRANSLATE_NOOP("varel::MainWindow", "Open"), true},
    {"TSave", QT_TRANSLATE_NOOP("varel::MainWindow", "Save"), true},
    {nullptr, nullptr, true},
    {"TRead", QT_TRANSLATE_NOOP("varel::MainWindow", "Read Data from the Transceive"), true},
    {"TWrite", QT_TRANSLATE_NOOP("varel::MainWindow", "Write Data in the Transceive"), true},
    {"TAnMa", nullptr, false},
    {"TDebug", nullptr, false},
    {"TFMMa", nullptr, false},
};

// True when a menu item of the program uses the key sequence.
bool ProgramShortcut(const QKeySequence& key) {
    // Parsed once: each child window asks for every key of its own menu.
    static const QList<QKeySequence> keys = [] {
        QList<QKeySequence> parsed;
        for (const MenuItem& item : kMenuItems)
            if (*item.shortcut != '\0') parsed << QKeySequence(QString(item.shortcut));
        return parsed;
    }();
    return keys.contains(key);
}

// How long a notice stays in the status bar.
constexpr int kNoticeMs = 15000;

// Status bar panel widths in twips.
constexpr int kPanelTwips[4] = {1000, 3500, 1440, 1440};

// The toolkit's texts of a child window's own menu, as its translations know them.
const char* const kSystemMenuTexts[] = {"&Restore",  "&Move",        "&Size", "Mi&nimize",
                                        "Ma&ximize", "Stay on &Top", "&Close"};

// A child window whose close box only hides it, so that its editor keeps its values. Its own
// menu (restore, move, close ...) follows the language like every other text; the work area
// passes no language change on to its windows, so the main window asks for it.
class HidingSubWindow : public QMdiSubWindow {
public:
    explicit HidingSubWindow(QWidget* parent) : QMdiSubWindow(parent) {
        // The menu was made in the language of the start: each item remembers its source text.
        for (QAction* a : systemMenu()->actions())
            for (const char* source : kSystemMenuTexts)
                if (a->text() == QCoreApplication::translate("QMdiSubWindow", source))
                    a->setProperty("source", source);
    }

    /// Writes the items of the window's own menu in the language installed now.
    void retranslateMenu() {
        for (QAction* a : systemMenu()->actions()) {
            const QByteArray source = a->property("source").toByteArray();
            if (!source.isEmpty())
                a->setText(QCoreApplication::translate("QMdiSubWindow", source.constData()));
        }
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        hide();
    }
};

// The file a drag carries when it carries exactly one local file; empty otherwise.
QString DraggedFile(const QMimeData* data) {
    const QList<QUrl> urls = data != nullptr ? data->urls() : QList<QUrl>();
    return urls.size() == 1 && urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
}

// The outer size of a child window whose contents have the given size.
QSize FrameSizeFor(const QWidget& window, QSize contents) {
    const int frame = window.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int title = window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return contents + QSize(2 * frame, title + 2 * frame);
}

}  // namespace

MainWindow::MainWindow(Session& session, const AppServices& services, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_services(services) {
    m_session.setLanguageFlag(m_services.settings->LoadLanguage());
    m_services.language->apply(m_session.language());
    setObjectName("MDIForm1");
    setWindowIcon(ToolbarIcon("Program"));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName("MDIArea");
    m_mdi->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(m_mdi);
    m_mdi->viewport()->installEventFilter(this);
    setAcceptDrops(true);

    m_serviceModes = new ServiceModes(*m_services.clock, this);
    if (m_services.backupFolder.isEmpty())
        m_services.backupFolder = QString::fromStdString(BackupFolder());
    m_transfers =
        new TransferController(m_session, *m_services.messageBoxes, *m_serviceModes, *this,
                               m_services.backupFolder, [this] { return m_portNumber; });
    connect(m_transfers, &TransferController::notice, this,
            [this](const QString& text) { statusBar()->showMessage(text, kNoticeMs); });
    m_documents = new DocumentCommands(m_session, m_services, this);
    // The pages name the data file the configuration came from or went to; a read leaves none.
    m_paper = new PaperCommands(m_session, m_services, this);
    connect(&m_session, &Session::documentReplaced, m_paper, [this] { m_paper->setDataFile({}); });
    connect(m_documents, &DocumentCommands::dataFileUsed, m_paper, &PaperCommands::setDataFile);
    connect(m_documents, &DocumentCommands::notice, this,
            [this](const QString& text) { statusBar()->showMessage(text, kNoticeMs); });
    connect(m_serviceModes, &ServiceModes::modeChanged, this, &MainWindow::followServiceMode);
    connect(m_transfers, &TransferController::commandsEnabled, this,
            &MainWindow::setTransferCommandsEnabled);
    buildMenus();
    QAction* verify = action("MNVerify");
    verify->setCheckable(true);
    verify->setChecked(m_services.settings->LoadVerifyAfterWrite());
    m_transfers->setVerifyAfterWrite(verify->isChecked());
    connect(verify, &QAction::toggled, this, [this](bool on) {
        m_transfers->setVerifyAfterWrite(on);
        m_services.settings->SaveVerifyAfterWrite(on);
    });
    buildToolbar();
    buildStatusBar();

    // Load sequence: band 0 (without a question), Form1 shown, the other editors hidden.
    m_bandSelector->selectByProgram(0);
    m_channelEditor = new ChannelEditor(m_session, *m_services.messageBoxes);
    m_featuresEditor = new FeaturesEditor(m_session, *m_serviceModes);
    m_tuningEditor = new TuningEditor(m_session, *m_serviceModes);
    m_fmEditor = new FmEditor(m_session);
    m_portWindow = new PortWindow(m_session, *m_services.messageBoxes);
    m_flagCount = new QLabel(this);
    m_flagCount->setObjectName("FlagCount");
    statusBar()->addPermanentWidget(m_flagCount);
    connect(m_channelEditor->flags(), &ChannelFlags::updated, this, &MainWindow::showFlagCount);
    showFlagCount(static_cast<int>(m_channelEditor->flags()->problems().size()));
    connect(m_documents, &DocumentCommands::channelsLoaded, this,
            [this] { showChild(m_channelEditor); });
    connect(m_documents, &DocumentCommands::programChangeComing, m_bandSelector,
            &BandSelector::disarmPrompt);
    connect(m_portWindow, &PortWindow::portChosen, this, &MainWindow::setPortNumber);
    m_doctorWindow = new DoctorWindow(m_session);
    connect(m_portWindow, &PortWindow::diagnoseRequested, this, &MainWindow::showDoctor);
    connect(m_featuresEditor, &FeaturesEditor::minimumSizeChanged, this, [this] {
        // A window not sized yet gets its size when it is shown.
        QMdiSubWindow* sub = frame(m_featuresEditor);
        if (!sub->testAttribute(Qt::WA_Resized)) return;
        m_featuresEditor->renewSizeHints();
        widenToMinimum(sub);
    });
    connect(m_fmEditor, &FmEditor::closeRequested, this, [this] { frame(m_fmEditor)->hide(); });
    addChannelMenu();
    for (QWidget* editor :
         {static_cast<QWidget*>(m_channelEditor), static_cast<QWidget*>(m_featuresEditor),
          static_cast<QWidget*>(m_tuningEditor), static_cast<QWidget*>(m_fmEditor),
          static_cast<QWidget*>(m_portWindow), static_cast<QWidget*>(m_doctorWindow)})
        addChild(editor);
    // Form6 has a fixed outer size, unless the platform's font needs more room.
    QMdiSubWindow* portFrame = frame(m_portWindow);
    portFrame->resize(PortWindow::outerSize().expandedTo(portFrame->minimumSizeHint()));
    showChild(m_channelEditor);
    // The stored port, the probe of the ports, and panel 1 showing the port of the start.
    m_portNumber = m_services.settings->LoadPortNumber();
    m_portWindow->setProbeResults(m_services.ports->FindCom());
    m_panels[0]->setText(QString("COM: %1").arg(m_portNumber));

    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &MainWindow::updateClock);
    clock->start(1000);
    updateClock();
    resize(1000, 700);  // the channel window and the taller optional features page fit
    ApplyLanguage();

    // After a command, its dialogs, or a transfer, the channel table keeps the keyboard.
    for (QAction* a : findChildren<QAction*>())
        connect(a, &QAction::triggered, this, &MainWindow::keyboardToGrid, Qt::QueuedConnection);
    connect(m_recentFiles, &QMenu::triggered, this, &MainWindow::keyboardToGrid,
            Qt::QueuedConnection);
    connect(m_transfers, &TransferController::transferEnded, this, &MainWindow::keyboardToGrid,
            Qt::QueuedConnection);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
    for (const MenuInfo& info : kMenus) {
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(info.name);
        menu->menuAction()->setObjectName(QString(info.name) + "Menu");
    }
    for (const MenuItem& item : kMenuItems) {
        auto* menu = menuBar()->findChild<QMenu*>(item.menu);
        QAction* a = item.caption == nullptr ? menu->addSeparator() : menu->addAction(QString());
        a->setObjectName(item.name);
        a->setEnabled(item.available);
        if (*item.shortcut != '\0') a->setShortcut(QKeySequence(QString(item.shortcut)));
    }
    action("MNRedo")->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    // File > Recent Files, between the channel lists and Quit.
    auto* fileMenu = findChild<QMenu*>("MNFile");
    m_recentFiles = new RecentFilesMenu(*m_services.settings, *m_services.messageBoxes, fileMenu);
    fileMenu->insertSeparator(action("MNLine1"))->setObjectName("MNLineRecent");
    fileMenu->insertMenu(action("MNLine1"), m_recentFiles);
    connect(m_documents, &DocumentCommands::dataFileUsed, m_recentFiles, &RecentFilesMenu::add);
    connect(m_recentFiles, &RecentFilesMenu::openRequested, m_documents,
            &DocumentCommands::OpenFile);

    action("MNUndo")->setEnabled(m_session.canUndo());
    action("MNRedo")->setEnabled(m_session.canRedo());
    connect(&m_session, &Session::historyChanged, this, [this] {
        action("MNUndo")->setEnabled(m_session.canUndo());
        action("MNRedo")->setEnabled(m_session.canRedo());
        nameUndoSteps();
    });
    // What any editor still holds is committed first, so that undo takes back the latest edit.
    connect(action("MNUndo"), &QAction::triggered, this, [this] {
        m_session.commitPendingEdits();
        m_session.undo();
    });
    connect(action("MNRedo"), &QAction::triggered, this, [this] {
        m_session.commitPendingEdits();
        m_session.redo();
    });

    auto on = [this](const char* name, auto slot) {
        connect(action(name), &QAction::triggered, this, slot);
    };
    on("MNNew", [this] { m_documents->New(); });
    on("MNOpen", [this] { m_documents->Open(); });
    on("MNSave", [this] { m_documents->Save(); });
    on("MNImportCsv", [this] { m_documents->ImportChannels(); });
    on("MNExportCsv", [this] { m_documents->ExportChannels(); });
    on("MNImportText", [this] { m_documents->ImportText(); });
    on("MNExportText", [this] { m_documents->ExportText(); });
    on("MNExportPdf", [this] { m_paper->ExportPdf(false); });
    on("MNExportCard", [this] { m_paper->ExportPdf(true); });
    on("MNBackups", [this] { m_documents->OpenBackup(); });
    on("MNCompare", [this] { m_documents->CompareWithFile(); });
    on("MNQuit", [this] { close(); });
    on("MNModel", [this] { showChild(m_channelEditor); });
    on("MNOption", [this] { showChild(m_featuresEditor); });
    on("MNDebug", [this] { showChild(m_tuningEditor); });
    on("MNFMset", [this] { showChild(m_fmEditor); });
    on("MNRead", [this] { m_transfers->StartRead(); });
    on("MNWrite", [this] { m_transfers->StartWrite(); });
    on("MNCommPort", [this] {
        // The ports are probed again each time: a cable may have come or gone.
        m_portWindow->setProbeResults(m_services.ports->FindCom());
        m_portWindow->prepareToShow(m_portNumber);
        showChild(m_portWindow);
    });
    on("MNDoctor", [this] { showDoctor(); });
    on("MNFleet", [this] { showFleet(); });
    on("MNChinese", [this] { setLanguage(0); });
    on("MNEnglish", [this] { setLanguage(1); });
    on("MNAbout", [this] { showAbout(); });
}

void MainWindow::showDoctor() {
    showChild(m_doctorWindow);
    m_doctorWindow->run(m_portNumber);
}

FleetWindow* MainWindow::showFleet() {
    if (m_fleetWindow == nullptr) {
        m_fleetWindow = new FleetWindow(
            m_session, *m_services.messageBoxes, *m_services.ports,
            [this] { return m_transfers->checkBeforeWrite(); }, m_services.backupFolder, this);
        // One transfer at a time: Read and Write wait for the fleet, the fleet for them.
        connect(m_fleetWindow, &FleetWindow::runningChanged, this,
                [this](bool running) { setTransferCommandsEnabled(!running); });
        connect(m_transfers, &TransferController::commandsEnabled, m_fleetWindow,
                &FleetWindow::setStartAllowed);
        m_fleetWindow->setStartAllowed(action("MNWrite")->isEnabled());
    }
    if (!m_fleetWindow->isRunning()) {
        m_fleetWindow->setVerify(action("MNVerify")->isChecked());
        m_fleetWindow->refreshPorts();
    }
    m_fleetWindow->show();
    m_fleetWindow->raise();
    m_fleetWindow->activateWindow();
    return m_fleetWindow;
}

void MainWindow::stopTransfersForExit() {
    m_transfers->stopForExit();
    if (m_fleetWindow != nullptr) m_fleetWindow->stopForExit();
}

void MainWindow::addChannelMenu() {
    // The channel table's commands, below Undo and Redo.
    QMenu* edit = findChild<QMenu*>("MNEdit");
    edit->addSeparator();
    QMenu* channels = edit->addMenu(QString());
    channels->setObjectName("MNChannels");
    for (QAction* a : m_channelEditor->actions()->actions()) {
        if (a == nullptr)
            channels->addSeparator();
        else
            channels->addAction(a);
    }
}

void MainWindow::buildToolbar() {
    m_toolbar = addToolBar(QString());
    m_toolbar->setObjectName("Toolbar1");
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    for (const ToolButton& b : kToolButtons) {
        if (b.key == nullptr) {
            m_toolbar->addSeparator();
            continue;
        }
        QAction* a = m_toolbar->addAction(ToolbarIcon(b.key), QString());
        a->setObjectName(b.key);
        a->setVisible(b.visible);
        if (QWidget* button = m_toolbar->widgetForAction(a)) button->setObjectName(b.key);
    }
    auto same = [this](const char* key, const char* item) {
        connect(action(key), &QAction::triggered, action(item), &QAction::trigger);
    };
    same("TNew", "MNNew");
    same("TOpen", "MNOpen");
    same("TSave", "MNSave");
    same("TRead", "MNRead");
    same("TWrite", "MNWrite");
    for (int button = 0; button < 3; ++button) {
        connect(action(ServiceModes::ButtonKey(button)), &QAction::triggered, this,
                [this, button] { m_serviceModes->serviceButtonClicked(button); });
    }

    addToolBarBreak();
    m_bandStrip = addToolBar(QString());
    m_bandStrip->setObjectName("BandStrip");
    m_bandStrip->setMovable(false);
    m_bandSelector = new BandSelector(m_session, *m_services.messageBoxes, m_bandStrip);
    m_bandStrip->addWidget(m_bandSelector);
}

void MainWindow::buildStatusBar() {
    statusBar()->setObjectName("StatusBar1");
    statusBar()->setSizeGripEnabled(true);
    // The four panels from the left, at their fixed widths.
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QString("Panel%1").arg(i + 1));
        panel->setFixedWidth(TwipsToPixels(kPanelTwips[i]));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(3, 0, 3, 0);
        statusBar()->addWidget(panel);
        m_panels[i] = panel;
    }
}

QMdiSubWindow* MainWindow::addChild(QWidget* editor) {
    auto* sub = new HidingSubWindow(m_mdi);
    sub->setObjectName(editor->objectName() + "Frame");
    sub->setWidget(editor);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->setWindowIcon(editor->windowIcon());
    // The child's window menu closes it with Ctrl+W on some desktops: it leaves the program's
    // own shortcuts to the program, which would otherwise be ambiguous and do nothing.
    if (QMenu* menu = sub->systemMenu()) {
        for (QAction* a : menu->actions()) {
            QList<QKeySequence> keys = a->shortcuts();
            keys.removeIf(ProgramShortcut);
            a->setShortcuts(keys);
        }
    }
    m_mdi->addSubWindow(sub);
    sub->hide();
    return sub;
}

QMdiSubWindow* MainWindow::frame(const QWidget* editor) {
    return editor != nullptr ? qobject_cast<QMdiSubWindow*>(editor->parentWidget()) : nullptr;
}

void MainWindow::showChild(QWidget* editor) {
    QMdiSubWindow* sub = frame(editor);
    if (sub == nullptr) return;
    const bool first = !sub->property("placed").toBool();
    sub->show();
    if (first) {
        sub->setProperty("placed", true);
        place(sub, editor);
    }
    sub->raise();
    m_mdi->setActiveSubWindow(sub);
}

void MainWindow::place(QMdiSubWindow* sub, QWidget* editor) {
    // A window opens large enough for its contents, every control whole (the channel table and
    // the port window have sizes of their own), and inside the work area where it fits.
    const QSize area = m_mdi->viewport()->size();
    if (editor == m_channelEditor) {
        sub->resize(ChannelEditor::outerSize());
    } else if (editor != m_portWindow) {
        const QSize contents = editor->sizeHint().expandedTo(editor->minimumSizeHint());
        sub->resize(sub->size().expandedTo(FrameSizeFor(*sub, contents)));
    }
    keepInside(sub);
    // A window wider than the work area widens the main window, as a language switch does,
    // so that no control lies beyond its edge.
    if (sub->width() > area.width()) m_mdi->updateGeometry();
}

void MainWindow::widenToMinimum(QMdiSubWindow* sub) {
    // The window widens to show its contents whole, and the main window with it, as when the
    // program starts in that language.
    sub->resize(qMax(sub->width(), sub->minimumSizeHint().width()), sub->height());
    keepInside(sub);
    m_mdi->updateGeometry();
}

void MainWindow::keepInside(QMdiSubWindow* sub) const {
    // A window that reaches past the right or the bottom edge of the work area moves left or up
    // as far as it must, never past the top left corner.
    if (sub->isMaximized() || sub->isMinimized()) return;
    const QSize area = m_mdi->viewport()->size();
    const int x = qBound(0, sub->x(), qMax(0, area.width() - sub->width()));
    const int y = qBound(0, sub->y(), qMax(0, area.height() - sub->height()));
    if (x != sub->x() || y != sub->y()) sub->move(x, y);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The work area may shrink, for one by a pixel when the bars of another language are
    // taller: every window is kept inside it.
    if (watched == m_mdi->viewport() && event->type() == QEvent::Resize)
        for (QMdiSubWindow* sub : m_mdi->subWindowList()) keepInside(sub);
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::keyboardToGrid() {
    // Only while the channel table is the active window and nothing modal is up; an editor of
    // its own that holds the keyboard keeps it.
    if (QApplication::activeModalWidget() != nullptr) return;
    if (m_mdi->activeSubWindow() != frame(m_channelEditor)) return;
    const QWidget* focus = focusWidget();
    if (focus != nullptr && focus->isVisible() && m_channelEditor->isAncestorOf(focus)) return;
    m_channelEditor->takeKeyboard();
}

QAction* MainWindow::action(const QString& name) const {
    return findChild<QAction*>(name);
}

QLabel* MainWindow::statusPanel(int panel) const {
    return panel >= 1 && panel <= 4 ? m_panels[panel - 1] : nullptr;
}

void MainWindow::retranslate() {
    setWindowTitle(ApplicationTitle());
    for (const MenuInfo& info : kMenus) findChild<QMenu*>(info.name)->setTitle(tr(info.caption));
    findChild<QMenu*>("MNChannels")->setTitle(tr("Channels(&N)"));
    for (const MenuItem& item : kMenuItems)
        if (item.caption != nullptr) action(item.name)->setText(tr(item.caption));
    nameUndoSteps();
    m_recentFiles->retranslate();
    for (QMdiSubWindow* child : m_mdi->subWindowList())
        static_cast<HidingSubWindow*>(child)->retranslateMenu();
    for (const ToolButton& b : kToolButtons)
        if (b.tooltip != nullptr) action(b.key)->setToolTip(tr(b.tooltip));
    if (m_session.language() == Language::Chinese)
        m_panels[1]->setText(QString::fromUtf8(kMakerText));
}

void MainWindow::nameUndoSteps() {
    // The item names the step it takes back or makes again, in the language shown now.
    auto name = [](const QString& label) { return QString(label).replace('&', "&&"); };
    const QString undo = m_session.undoLabel();
    const QString redo = m_session.redoLabel();
    action("MNUndo")->setText(undo.isEmpty() ? tr("Undo(&U)") : tr("Undo %1(&U)").arg(name(undo)));
    action("MNRedo")->setText(redo.isEmpty() ? tr("Redo(&R)") : tr("Redo %1(&R)").arg(name(redo)));
}

void MainWindow::ApplyLanguage() {
    retranslate();
    m_bandSelector->retranslate();
    m_channelEditor->retranslate();
    m_featuresEditor->retranslate();
    m_tuningEditor->retranslate();
    m_fmEditor->retranslate();
    m_portWindow->retranslate();
    m_doctorWindow->retranslate();
    if (m_fleetWindow != nullptr) m_fleetWindow->retranslate();
    m_transfers->retranslate();
}

void MainWindow::showFlagCount(int count) {
    m_flagCount->setVisible(count > 0);
    m_flagCount->setText(
        tr("%n doubtful value(s): Edit > Channels > Next Problem (F8)", nullptr, count));
}

void MainWindow::setLanguage(int languageFlag) {
    m_session.setLanguageFlag(languageFlag);
    m_services.language->apply(m_session.language());
    ApplyLanguage();
    m_session.refreshGrid();
}

void MainWindow::setTransferCommandsEnabled(bool enabled) {
    for (const char* name : {"MNRead", "MNWrite", "TRead", "TWrite"})
        action(name)->setEnabled(enabled);
    m_channelEditor->actions()->setTransferRunning(!enabled);
}

void MainWindow::followServiceMode(ServiceMode mode, bool on) {
    action(ServiceModes::ButtonKey(static_cast<int>(mode)))->setVisible(on);
    // The FM command starts enabled, so that everyday settings need no gesture; switching the
    // mode off leaves it enabled.
    if (mode == ServiceMode::FmService && on) action("MNFMset")->setEnabled(true);
}

void MainWindow::updateClock() {
    const QLocale locale;
    m_panels[2]->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    m_panels[3]->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
}

void MainWindow::showAbout() {
    AboutBox about(*this, m_channelEditor->windowIcon());
    about.exec();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DraggedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DraggedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    // The file manager waits for the drop to end: the file opens (and any message shows) after.
    QMetaObject::invokeMethod(
        this,
        [this, path] {
            m_documents->OpenFile(path);
            keyboardToGrid();
        },
        Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    const int answer = m_services.messageBoxes->LocalMsgBox(
        tr("Confirm that withdraws from a procedure?") + "\n" + tr("Lose all in change not kept!"),
        MsgStyle::Confirmation, MsgTitle::Careful());
    if (answer != MsgResult::Ok) {
        event->ignore();
        return;
    }
    // The exit sequence: the language, then the port. Only this program ends.
    m_services.settings->SaveLanguage(m_session.languageFlag());
    m_services.settings->SavePortNumber(m_portNumber);
    event->accept();
}

}  // namespace varel
