#pragma once
// The FM broadcast channel editor Form5: the 25 channels in a grid edited in place, the FM VFO
// box and the present channel, display mode and step lists. The committed values live in the
// settings model and change only by "OK" or a decode; the controls show what the user typed,
// even after "Cancel", until a decode (or an undo or redo of a commit) puts the committed
// values back into them.
#include <QVector>
#include <QWidget>
#include <functional>

#include "image/settings_fields.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace varel {

class LeaveWatcher;
class Session;

/// The FM broadcast channel editor Form5.
class FmEditor : public QWidget {
    Q_OBJECT

public:
    /// Builds the window hidden, showing the committed values of the settings model.
    explicit FmEditor(Session& session);
    /// Writes every static text in the current language.
    void retranslate();

signals:
    /// OK or Cancel closes the window: the window holding it is to hide (closing only hides).
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGrid();
    void buildControls();
    void loadFromModel();
    void followSettings(const QVector<SettingId>& ids);
    void openCellEditor(int row);
    void leaveCell();
    void leaveVfo();
    void checkEntry(QLineEdit* box, const std::function<void(const QString&)>& store);
    void showMessage();
    void commit();
    void hideWindow();

    Session& m_session;
    QTableWidget* m_grid = nullptr;
    QLineEdit* m_cellEdit = nullptr;  // Text1, laid over the cell being edited
    QLineEdit* m_vfo = nullptr;       // Text2
    QComboBox* m_lists[3] = {};       // Combo1(0) present channel, (1) display mode, (2) step
    QLabel* m_captions[4] = {};       // of Text2, Combo1(0), Combo1(1), Combo1(2)
    QLabel* m_message = nullptr;      // Label2, the range message
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    LeaveWatcher* m_cellLeave = nullptr;
    int m_editRow = -1;  // grid row (0-24) under the in-place editor
    bool m_committing = false;
};

}  // namespace varel
