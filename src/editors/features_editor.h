#pragma once
// The optional features editor Form3: every optional feature and both VFOs of the settings
// block, built from the settings table. Its controls show the settings model; a pick in a list
// and a box's leave check each change the model as one undo step.
#include <QVector>
#include <QWidget>
#include <vector>

#include "editors/feature_control.h"

class QGroupBox;
class QRadioButton;

namespace varel {

class ServiceModes;
class Session;
enum class ServiceMode;

/// The optional features editor Form3.
class FeaturesEditor : public QWidget {
    Q_OBJECT

public:
    /// Builds the window hidden, showing the settings model, on the "Function Set" page; the
    /// captions of the service gestures report their clicks to modes.
    FeaturesEditor(Session& session, ServiceModes& modes);
    ~FeaturesEditor() override;

    /// Writes every static text in the current language; no selection changes.
    void retranslate();
    /// Renews the size hints of the window and its frames at once, for the window holding it
    /// to be fitted to them after minimumSizeChanged.
    void renewSizeHints();

signals:
    /// The captions of another language or the other page may need a wider window: the window
    /// holding it is to widen so that every control shows whole.
    void minimumSizeChanged();

protected:
    /// Reports clicks on the captions of the service gestures.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void wire(std::size_t index);
    void showPage(int page);
    void pick(std::size_t index, int position);
    void leaveBox(std::size_t index);
    void commitTyping();
    void loadFromModel(const QVector<SettingId>& ids);
    void applyServiceMode(ServiceMode mode, bool on);
    FeatureControl* control(SettingId id);

    Session& m_session;
    ServiceModes& m_modes;
    std::vector<FeatureControl> m_controls;
    std::vector<std::pair<SettingSection, QGroupBox*>> m_frames;
    QRadioButton* m_pages[2] = {};
};

}  // namespace varel
