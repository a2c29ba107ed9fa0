#pragma once
// The band selector on the main window's band strip: the list Combo1 of the three band
// variants and its label. The position lives in the settings model (which gives the
// FrequencyBand); the list shows it and takes the user's changes.
//
// A user's first change after the list was opened asks first, because the stored channels may
// not fit the new band; OK empties the channel table together with the change (one undo step),
// Cancel puts the previous band back. Changes made by the program never ask and never clear:
// they disarm the question (BandPromptArmed), also one armed by a list opened and left before.
#include <QWidget>

class QComboBox;
class QLabel;

namespace varel {

class MessageBoxes;
class Session;

/// The band strip's label and band list.
class BandSelector : public QWidget {
    Q_OBJECT

public:
    /// Builds the label and the list showing the session's band; the confirmation goes through
    /// boxes.
    BandSelector(Session& session, MessageBoxes& boxes, QWidget* parent = nullptr);

    /// A change made by the program (start-up): no question, no clearing; positions outside
    /// 0 to 2 are ignored.
    void selectByProgram(int position);
    /// Writes the label (the entries read the same in both languages).
    void retranslate();
    /// A change by the program is coming (New, Open): the next change is not asked about. A
    /// decode disarms the question by itself.
    void disarmPrompt() { m_promptArmed = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void userChanged(int position);
    void showModelBand();

    Session& m_session;
    MessageBoxes& m_boxes;
    QLabel* m_label = nullptr;
    QComboBox* m_combo = nullptr;
    int m_indexBeforeDrop = 0;  // BandIndexBeforeDrop
    bool m_promptArmed = true;  // BandPromptArmed: armed from the start until a change
};

}  // namespace varel
