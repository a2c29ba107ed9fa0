#pragma once
// Fakes of the program's seams for the GUI tests: message boxes that record what they show and
// answer from a queue, file dialogs that return prepared names, settings kept in memory and a
// clock the test sets.
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "session/app_settings.h"
#include "session/clock.h"
#include "session/file_dialogs.h"
#include "session/file_viewer.h"
#include "session/message_boxes.h"
#include "session/port_scanner.h"

namespace varel::test {

/// One message as LocalMsgBox was asked to show it.
struct ShownMessage {
    QString text;
    int style = 0;
    QString title;
};

/// Records every message; answers with the queued answers, then with OK.
class FakeMessageBoxes : public MessageBoxes {
public:
    int LocalMsgBox(const QString& text, int style, const QString& title) override {
        return show({text, style, title});
    }
    void ShowReport(const QString& text, const QString& details, const QString& title) override {
        reports.push_back({text, details, title});
    }
    bool Confirm(const QString& text, const QString&, const QString& title,
                 const QString&) override {
        return show({text, 0, title}) == MsgResult::Ok;
    }
    int AskNumber(const QString& text, const QString&, int minimum, int maximum, int) override {
        shown.push_back({text, 0, QString()});
        if (numbers.empty()) return 0;
        const int answer = numbers.front();
        numbers.pop_front();
        return answer >= minimum && answer <= maximum ? answer : 0;
    }
    /// The last message shown (a default one when none was shown).
    ShownMessage last() const { return shown.empty() ? ShownMessage{} : shown.back(); }

    std::vector<ShownMessage> shown;
    struct Report {
        QString text, details, title;
    };
    std::vector<Report> reports;  ///< every report, in order
    std::deque<int> answers;
    std::deque<int> numbers;                          ///< answers of AskNumber, then cancel
    std::function<void(const ShownMessage&)> onShow;  ///< runs while the "box" is open

private:
    int show(const ShownMessage& message) {
        shown.push_back(message);
        if (onShow) onShow(shown.back());
        if (answers.empty()) return MsgResult::Ok;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

/// Returns the prepared names once each; empty (cancelled) afterwards.
class FakeFileDialogs : public FileDialogs {
public:
    QString openDataFile() override { return take(openName); }
    QString saveDataFile() override { return take(saveName); }
    QString openBackup(const QString& folder) override {
        backupFolder = folder;
        return take(openName);
    }
    QString openChannelList() override { return take(openListName); }
    QString saveChannelList() override { return take(saveListName); }
    QString openConfigText() override { return take(openTextName); }
    QString saveConfigText() override { return take(saveTextName); }
    QString savePdf() override { return take(savePdfName); }

    QString openName, saveName, openListName, saveListName, openTextName, saveTextName, savePdfName;
    QString backupFolder;  ///< the folder the last openBackup offered

private:
    static QString take(QString& name) {
        QString result = name;
        name.clear();
        return result;
    }
};

/// Records the files it was asked to show; shows them when `opens` says so.
class FakeFileViewer : public FileViewer {
public:
    bool showFile(const QString& path) override {
        shown << path;
        return opens;
    }
    QStringList shown;
    bool opens = true;
};

/// Settings held in memory.
class FakeAppSettings : public AppSettings {
public:
    int LoadLanguage() override { return language; }
    void SaveLanguage(int flag) override {
        language = flag;
        ++languageSaves;
    }
    int LoadPortNumber() override { return port; }
    void SavePortNumber(int number) override { port = number; }
    bool LoadVerifyAfterWrite() override { return verify; }
    void SaveVerifyAfterWrite(bool on) override { verify = on; }
    QStringList LoadRecentFiles() override { return recent; }
    void SaveRecentFiles(const QStringList& files) override { recent = files; }
    int language = 0, port = 0, languageSaves = 0;
    bool verify = false;
    QStringList recent;
};

/// A clock that shows the time the test sets.
class FakeClock : public Clock {
public:
    double secondsSinceMidnight() const override { return seconds; }
    double seconds = 12 * 3600;
};

/// A probe that reports the prepared port states with the ports' devices, and never opens a
/// port. Every port starts as a missing device.
class FakePortScanner : public PortScanner {
public:
    FakePortScanner() {
        for (auto& port : ports) port.problem = link::PortProblem::NoSuchDevice;
    }
    /// Port n (1-20) can be opened.
    void openable(int n) {
        ports.at(static_cast<std::size_t>(n - 1)) = {true, "", link::PortProblem::None};
    }
    link::PortAvailability FindCom() override {
        ++probes;
        for (int n = link::kFirstPort; n <= link::kLastPort; ++n)
            ports[static_cast<std::size_t>(n - 1)].device = link::PortDevice(n);
        return ports;
    }
    link::PortAvailability ports{};
    int probes = 0;
};

}  // namespace varel::test
