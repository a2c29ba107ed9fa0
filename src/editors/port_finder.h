#pragma once
// The port finder of the port window: the user unplugs the cable and presses Next, plugs it in
// and presses Next again; the serial device that appeared between the two looks is named with
// its port number, which is then chosen. What it finds is said through LocalMsgBox.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;

namespace varel {

class MessageBoxes;

/// The port finder's steps and Next/Cancel buttons ("FinderStep", "FinderNext", "FinderCancel").
class PortFinder : public QDialog {
    Q_OBJECT

public:
    /// One look at the serial devices present (link::ListSerialDevices).
    using Look = std::function<std::vector<std::string>()>;

    /// A finder that looks through look and speaks through boxes; it starts at its first step.
    PortFinder(MessageBoxes& boxes, Look look, QWidget* parent = nullptr);
    /// Back to the first step (unplug the cable), forgetting an earlier look.
    void restart();
    /// The step shown: 0 unplug the cable, 1 plug it in.
    int step() const { return m_step; }
    /// Writes every text in the current language.
    void retranslate();

signals:
    /// The device that appeared is that of port (1 to 20): choose it.
    void portFound(int port);

private:
    void next();
    void compareLooks();
    void showStep(int step);

    MessageBoxes& m_boxes;
    Look m_look;
    std::vector<std::string> m_before;  // the devices present with the cable unplugged
    int m_step = 0;
    QLabel* m_text = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace varel
