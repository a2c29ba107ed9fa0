#pragma once
// What the program remembers between runs: the language and the serial port, read at start and
// written only by the exit sequence, and the recent data files, written whenever they change.
#include <QStringList>

namespace varel {

/// The stored language, port number and recent files; tests replace it.
class AppSettings {
public:
    virtual ~AppSettings() = default;
    /// LoadLanguage: the stored LanguageFlag (0 when nothing is stored).
    virtual int LoadLanguage() = 0;
    /// SaveLanguage.
    virtual void SaveLanguage(int languageFlag) = 0;
    /// LoadPortNumber: the stored PortNumber (0 when nothing is stored).
    virtual int LoadPortNumber() = 0;
    /// SavePortNumber.
    virtual void SavePortNumber(int portNumber) = 0;
    /// The data files last opened or saved, the latest first (none when nothing is stored).
    virtual QStringList LoadRecentFiles() { return {}; }
    /// Stores the recent files, the latest first.
    virtual void SaveRecentFiles(const QStringList&) {}
};

/// Settings that remember nothing: Chinese, no port, no recent files.
class NoAppSettings : public AppSettings {
public:
    int LoadLanguage() override { return 0; }
    void SaveLanguage(int) override {}
    int LoadPortNumber() override { return 0; }
    void SavePortNumber(int) override {}
};

}  // namespace varel
