// The program. Start-up order: the command line (--version and --help are answered before the
// toolkit starts, so that they need no display), the power tuning defaults (the settings
// model's start values), then the main window with its load sequence (the stored language, the
// stored port, the probe of the ports, status panel 1, its texts), then the window shown and
// the file of the command line opened.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <csignal>
#include <cstdio>

#include "app/command_line.h"
#include "app/desktop_viewer.h"
#include "app/document_commands.h"
#include "app/main_window.h"
#include "app/qt_file_dialogs.h"
#include "app/qt_message_boxes.h"
#include "app/stored_settings.h"
#include "app/transfer_controller.h"
#include "app/ui_language.h"
#include "link/port_map.h"
#include "link/stop_signals.h"
#include "session/clock.h"
#include "session/port_scanner.h"
#include "session/session.h"
#include "ui/first_shown.h"

namespace {

// VAREL_DEFAULT_PORT names the port (1 to 20) to start with when none was ever chosen; the run
// command sets it when it attaches the virtual radio.
int DefaultPort() {
    bool ok = false;
    const int port = qEnvironmentVariableIntValue("VAREL_DEFAULT_PORT", &ok);
    return ok && port >= varel::link::kFirstPort && port <= varel::link::kLastPort ? port : 0;
}

// Prints text to standard output (or error) and gives the exit code.
int Print(const QString& text, int code) {
    std::fputs(text.toLocal8Bit().constData(), code == 0 ? stdout : stderr);
    return code;
}

// What a command line that is not a start asks for: the version, the usage, or a refusal.
int Answer(const varel::CommandLine& command) {
    using Action = varel::CommandLine::Action;
    if (command.action == Action::PrintVersion) return Print(varel::VersionText(), 0);
    if (command.action == Action::PrintHelp) return Print(varel::HelpText(), 0);
    return Print("varel: " + command.problem + "\n" + varel::HelpText(), 2);
}

}  // namespace

int main(int argc, char** argv) {
    QStringList raw;
    for (int i = 1; i < argc; ++i) raw << QString::fromLocal8Bit(argv[i]);
    // Only --version and --help are taken before the toolkit has taken out its own options.
    const varel::CommandLine early = varel::ParseCommandLine(raw);
    if (early.action == varel::CommandLine::Action::PrintVersion ||
        early.action == varel::CommandLine::Action::PrintHelp)
        return Answer(early);

    QApplication app(argc, argv);
    QApplication::setApplicationName("Wavesmith");
    QApplication::setOrganizationName("Varel");
    QApplication::setApplicationVersion(VAREL_VERSION);
    QGuiApplication::setDesktopFileName("org.varel.wavesmith");
    const varel::CommandLine command = varel::ParseCommandLine(QApplication::arguments().mid(1));
    if (command.action != varel::CommandLine::Action::Run) return Answer(command);
    varel::ReportFirstShown(app);

    varel::Session session;
    QSettings store;
    varel::StoredSettings settings(
        store, varel::PortFileProgramFolder(QApplication::applicationDirPath()),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    settings.setFirstPort(DefaultPort());
    varel::QtMessageBoxes boxes;
    varel::QtFileDialogs dialogs;
    dialogs.setRecentFiles(&settings);
    varel::SystemClock clock;
    varel::UiLanguage language;
    varel::SystemPortScanner ports;
    varel::DesktopViewer viewer;

    varel::MainWindow window(
        session, {&boxes, &dialogs, &settings, &clock, &language, &ports, QString(), &viewer});
    boxes.setOwner(&window);
    dialogs.setOwner(&window);
    window.show();
    if (!command.file.isEmpty()) {
        // Opened once the window is up, so that a refusal is shown over it.
        QTimer::singleShot(0, &window, [&window, file = command.file] {
            window.documentCommands()->OpenFile(file);
        });
    }
    // SIGTERM and SIGINT end the program as before, but a transfer under way first sends End
    // and closes the port, so that the radio is not left waiting for blocks.
    int stoppedBy = 0;
    {
        varel::link::StopSignals stop([&window](int) {
            window.stopTransfersForExit();
            QApplication::exit(0);
        });
        const int code = QApplication::exec();
        stoppedBy = stop.caught();
        if (stoppedBy == 0) return code;
    }
    // The handlers that were there before are back: the program ends as the signal ends it.
    std::raise(stoppedBy);
    return 128 + stoppedBy;
}
