#pragma once
// A main window with fake seams, as the GUI tests start the program.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <memory>
#include <ostream>

#include "app/main_window.h"
#include "app/ui_language.h"
#include "session/session.h"
#include "support/gui_fakes.h"
#include "support/temp_dir.h"

/// Failed comparisons of texts show the text.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace varel::test {

/// The program as it stands after start-up, in Chinese unless the test says otherwise.
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override { start(0); }
    void TearDown() override { window.reset(); }

    /// Starts (again) with the given stored language (kept in `settings`).
    void start(int languageFlag) {
        window.reset();
        session = std::make_unique<Session>();
        settings.language = languageFlag;
        window = std::make_unique<MainWindow>(
            *session, AppServices{&boxes, &dialogs, storedSettings, &clock, &language, &ports,
                                  QString::fromStdString(backups.path().string()), &viewer});
        window->show();
        QApplication::setActiveWindow(window.get());
    }

    /// A control of a window by its objectName; fails the test when it is missing.
    template <class T>
    T* find(QObject* parent, const char* name) {
        T* found = parent->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << "no " << name << " under " << qPrintable(parent->objectName());
        return found;
    }
    /// A window of the program by its objectName (Form1, Form3 ...).
    QWidget* form(const char* name) { return find<QWidget>(window.get(), name); }
    /// A menu item or toolbar button action by name.
    QAction* action(const char* name) { return window->action(name); }
    /// Makes channel row exist (145.5 MHz with the new-channel defaults) as one edit.
    void addChannel(int row) {
        session->edit("test", [&](Document& d) {
            d.channels.CommitFrequency(row, 1, "145.5", session->band(), session->language());
        });
    }

    FakeMessageBoxes boxes;
    FakeFileDialogs dialogs;
    FakeFileViewer viewer;
    FakeAppSettings settings;
    AppSettings* storedSettings = &settings;  ///< what start() reads and the exit writes
    FakeClock clock;
    FakePortScanner ports;
    UiLanguage language;
    TempDir backups;  ///< the transfers' backup folder
    std::unique_ptr<Session> session;
    std::unique_ptr<MainWindow> window;
};

}  // namespace varel::test
