// The program. Start-up order: the power tuning defaults (the settings model's start values),
// then the main window with its load sequence (the stored language, the stored port, the probe
// of the ports, status panel 1, its texts), then the window shown.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

#include "app/main_window.h"
#include "app/qt_file_dialogs.h"
#include "app/qt_message_boxes.h"
#include "app/stored_settings.h"
#include "app/ui_language.h"
#include "link/port_map.h"
#include "session/clock.h"
#include "session/port_scanner.h"
#include "session/session.h"

namespace {

// VAREL_DEFAULT_PORT names the port (1 to 20) to start with when none was ever chosen; the run
// command sets it when it attaches the virtual radio.
int DefaultPort() {
    bool ok = false;
    const int port = qEnvironmentVariableIntValue("VAREL_DEFAULT_PORT", &ok);
    return ok && port >= varel::link::kFirstPort && port <= varel::link::kLastPort ? port : 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Wavesmith");
    QApplication::setOrganizationName("Varel");

    varel::Session session;
    QSettings store;
    varel::StoredSettings settings(
        store, QApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    settings.setFirstPort(DefaultPort());
    varel::QtMessageBoxes boxes;
    varel::QtFileDialogs dialogs;
    varel::SystemClock clock;
    varel::UiLanguage language;
    varel::SystemPortScanner ports;

    varel::MainWindow window(session,
                             {&boxes, &dialogs, &settings, &clock, &language, &ports, QString()});
    boxes.setOwner(&window);
    dialogs.setOwner(&window);
    window.show();
    return QApplication::exec();
}
