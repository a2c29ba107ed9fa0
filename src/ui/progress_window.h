#pragma once
// The transfer progress window FrmWriting: a label and a bar that follows the step of the
// transfer. It is application-modal while shown, and only the program hides it: it has no
// close box and ignores Escape and close requests, because the transfer ends it, not the user.
// A read can be stopped with its Cancel button; a write's window says instead that a write
// cannot be stopped half-way, since the radio would be left half-written.
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace varel {

/// The modal progress window of a radio transfer.
class ProgressWindow : public QDialog {
    Q_OBJECT

public:
    /// The first value of the bar (the first step of a transfer).
    static constexpr int kFirstStep = 1;

    /// A hidden window over parent (the main window) whose bar ends at lastStep.
    ProgressWindow(QWidget& parent, int lastStep);

    /// Shows the window application-modal with the caption and label, the bar at its start,
    /// and the Cancel button or, for a transfer that cannot be cancelled, a note saying so.
    /// Returns at once; the transfer's events go on in the program's event loop.
    void begin(const QString& caption, const QString& label, bool cancellable);
    /// Moves the bar to a step (kFirstStep to the last step).
    void setStep(int step);
    /// The step the bar shows.
    int step() const;
    /// Writes the static texts of the current language (the label is empty in both).
    void retranslate();

    /// Escape and the window manager's close request change nothing.
    void reject() override {}

signals:
    /// The user pressed Cancel.
    void cancelRequested();

private:
    QLabel* m_label = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_note = nullptr;
};

}  // namespace varel
