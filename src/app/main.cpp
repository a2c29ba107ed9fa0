// The program. Start-up order: the power tuning defaults (the settings model's start values),
// the stored language, the main window with its load sequence, its texts, then the window shown.
#include <QApplication>

#include "app_settings.h"
#include "clock.h"
#include "file_dialogs.h"
#include "main_window.h"
#include "message_boxes.h"
#include "session.h"
#include "ui_language.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Wavesmith");
    QApplication::setOrganizationName("Varel");

    varel::Session session;
    varel::NoAppSettings settings;
    varel::QtMessageBoxes boxes;
    varel::QtFileDialogs dialogs;
    varel::SystemClock clock;
    varel::UiLanguage language;

    session.setLanguageFlag(settings.LoadLanguage());
    language.apply(session.languageFlag());
    varel::MainWindow window(session, {&boxes, &dialogs, &settings, &clock, &language});
    boxes.setOwner(&window);
    dialogs.setOwner(&window);
    window.ApplyLanguage();
    window.show();
    return QApplication::exec();
}
