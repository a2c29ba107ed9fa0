#pragma once
// One value of the settings table as the optional features editor shows it: a caption and a
// list, a text box or a check box, named as the table names it.
#include "image/language.h"
#include "image/settings_fields.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace varel {

class LeaveWatcher;
class SettingsModel;

/// The controls of one settings value and the state of its typing.
struct FeatureControl {
    const SettingField* field = nullptr;  ///< the value's row of the settings table
    QLabel* caption = nullptr;            ///< its caption; null for a check box
    QComboBox* list = nullptr;            ///< the list of a List or Tone value
    QLineEdit* box = nullptr;             ///< the box of a text value
    QCheckBox* check = nullptr;           ///< the check box of a Check value
    LeaveWatcher* leave = nullptr;        ///< the box's leave check (set by the editor)
    bool typing = false;                  ///< the box holds typing not yet committed

    /// Creates the controls of a field as children of parent: a non-editable list with the
    /// field's entries, or a box with the field's key filter and length limit, or a check box;
    /// a hidden field's controls stay hidden.
    static FeatureControl Create(const SettingField& field, QWidget* parent);

    /// The control that holds the value.
    QWidget* widget() const;
    /// True for the boxes whose leave check Enter also runs.
    bool enterRunsLeaveCheck() const;
    /// Shows the value the model holds; a box that gets a new text loses its pending typing.
    void show(const SettingsModel& model);
    /// Writes the caption and the list entries in a language; the selection stays.
    void retranslate(Language lang);
};

}  // namespace varel
