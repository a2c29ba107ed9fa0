#pragma once
// The program's message boxes: LocalMsgBox and the report box as the toolkit shows them, with the
// standard buttons named in the current language.
#include "session/message_boxes.h"

class QWidget;

namespace varel {

/// Message boxes of the toolkit, with the standard buttons named in the current language.
class QtMessageBoxes : public MessageBoxes {
public:
    /// Boxes are shown over owner (the main window).
    explicit QtMessageBoxes(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }
    int LocalMsgBox(const QString& text, int style, const QString& title) override;
    void ShowReport(const QString& text, const QString& details, const QString& title) override;
    int AskNumber(const QString& text, const QString& title, int minimum, int maximum,
                  int value) override;
    bool Confirm(const QString& text, const QString& details, const QString& title,
                 const QString& acceptText) override;

private:
    QWidget* m_owner;
};

}  // namespace varel
