#pragma once
// LocalMsgBox: the one routine through which every message of the program is shown. Styles and
// results are the standard message-box numbers, so that a message is described by its text,
// its style and its title wherever it is shown.
#include <QString>

namespace varel {

/// Message-box style bits: buttons, icon, default button, modality.
namespace MsgStyle {
constexpr int OkOnly = 0x0;
constexpr int OkCancel = 0x1;
constexpr int AbortRetryIgnore = 0x2;
constexpr int YesNoCancel = 0x3;
constexpr int YesNo = 0x4;
constexpr int RetryCancel = 0x5;
constexpr int ButtonsMask = 0xF;
constexpr int Critical = 0x10;  ///< the critical-stop icon
constexpr int Question = 0x20;
constexpr int Exclamation = 0x30;
constexpr int Information = 0x40;
constexpr int IconMask = 0xF0;
constexpr int DefaultButton2 = 0x100;
constexpr int DefaultButton3 = 0x200;
constexpr int DefaultMask = 0xF00;
constexpr int SystemModal = 0x1000;
/// The program's confirmations: OK and Cancel, question icon, Cancel as default, system-modal.
constexpr int Confirmation = OkCancel | Question | DefaultButton2 | SystemModal;
}  // namespace MsgStyle

/// The number of the pressed button.
namespace MsgResult {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Abort = 3;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace MsgResult

/// Shows messages; tests replace it.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    /// Shows text with the buttons and icon of style under title (the application title when
    /// title is empty) and returns the pressed button's number.
    virtual int LocalMsgBox(const QString& text, int style, const QString& title) = 0;
    /// Shows a report: text, with the lines of details one click away, an information icon
    /// and an OK button.
    virtual void ShowReport(const QString& text, const QString& details, const QString& title) = 0;
    /// Asks whether to go on despite what text says: a question with the buttons acceptText and
    /// Cancel, Cancel the default, details one click away (when not empty); true for acceptText.
    virtual bool Confirm(const QString& text, const QString& details, const QString& title,
                         const QString& acceptText) = 0;
    /// Asks for a whole number from minimum to maximum, offering value; 0 when the user
    /// cancelled (minimum is at least 1).
    virtual int AskNumber(const QString& text, const QString& title, int minimum, int maximum,
                          int value) = 0;
};

}  // namespace varel
