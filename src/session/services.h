#pragma once
// The seams through which the program meets the user and the system; the program passes the
// real ones, tests pass fakes.
#include <QString>

namespace varel {

class AppSettings;
class Clock;
class FileDialogs;
class FileViewer;
class MessageBoxes;
class PortScanner;
class UiLanguage;

/// The program's seams. None may be null; they must outlive the main window.
struct AppServices {
    MessageBoxes* messageBoxes = nullptr;  ///< LocalMsgBox
    FileDialogs* fileDialogs = nullptr;    ///< open and save dialogs
    AppSettings* settings = nullptr;       ///< stored language and port
    Clock* clock = nullptr;                ///< time of day for the service buttons
    UiLanguage* language = nullptr;        ///< the translators of the program's own texts
    PortScanner* ports = nullptr;          ///< the start-up probe of the serial ports
    QString backupFolder;  ///< where transfers keep their backups; empty: the user's data folder
    FileViewer* viewer = nullptr;  ///< shows an exported PDF
};

}  // namespace varel
