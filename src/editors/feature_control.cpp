#include "editors/feature_control.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "image/settings_model.h"
#include "ui/char_filter.h"
#include "ui/qt_text.h"

namespace varel {

namespace {

constexpr int kBoxWidth = 96;
constexpr Language kLanguages[] = {Language::Chinese, Language::English};

// A list wide enough for the longest entry in either language, so that a language switch keeps
// the layout. Its entries are measured once, when a layout first asks for its size, so that the
// lists of the page not shown cost nothing at start; the toolkit's own measuring of every entry
// is not needed beside this, so the list's size hint is its smallest size.
class BilingualList : public QComboBox {
public:
    BilingualList(const SettingField& field, QWidget* parent) : QComboBox(parent), m_field(field) {
        for (const Bilingual& e : field.entries) addItem(QtText(e.zh));
        // The toolkit's smallest size then is one character wide rather than the widest entry.
        setMinimumContentsLength(1);
    }

    QSize minimumSizeHint() const override {
        QSize hint = QComboBox::minimumSizeHint();
        hint.setWidth(qMax(hint.width(), fittingWidth()));
        return hint;
    }

    QSize sizeHint() const override { return minimumSizeHint(); }

protected:
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::FontChange) m_fittingWidth = -1;
        QComboBox::changeEvent(event);
    }

private:
    int fittingWidth() const {
        if (m_fittingWidth >= 0) return m_fittingWidth;
        const QFontMetrics metrics = fontMetrics();
        int widest = 0;
        for (const Bilingual& e : m_field.entries)
            for (Language lang : kLanguages)
                widest = std::max(widest, metrics.horizontalAdvance(QtText(e, lang)));
        m_fittingWidth = widest + 40;
        return m_fittingWidth;
    }

    const SettingField& m_field;
    mutable int m_fittingWidth = -1;
};

}  // namespace

FeatureControl FeatureControl::Create(const SettingField& field, QWidget* parent) {
    FeatureControl c;
    c.field = &field;
    const QString name = QtText(field.objectName);
    if (field.kind == FieldKind::Check) {
        c.check = new QCheckBox(parent);
    } else {
        c.caption = new QLabel(parent);
        c.caption->setObjectName(name + "Caption");
        c.caption->setHidden(field.hidden);
    }
    if (field.holdsIndex()) {
        c.list = new BilingualList(field, parent);
    } else if (field.holdsText()) {
        c.box = new QLineEdit(parent);
        c.box->setFixedWidth(kBoxWidth);
        CharFilter::attach(c.box, field.keys, field.maxLength);
    }
    c.widget()->setObjectName(name);
    c.widget()->setHidden(field.hidden);
    return c;
}

QWidget* FeatureControl::widget() const {
    if (list != nullptr) return list;
    if (box != nullptr) return box;
    return check;
}

bool FeatureControl::enterRunsLeaveCheck() const {
    return field->kind == FieldKind::ChannelNumber || field->kind == FieldKind::Frequency ||
           field->kind == FieldKind::Offset;
}

void FeatureControl::show(const SettingsModel& model) {
    if (list != nullptr) list->setCurrentIndex(model.index(field->id));
    if (check != nullptr) check->setChecked(model.checked(field->id));
    if (box == nullptr) return;
    const QString text = QtText(model.text(field->id));
    if (box->text() == text) return;
    box->setText(text);
    typing = false;
}

void FeatureControl::retranslate(Language lang) {
    const QString text = QtText(field->caption, lang);
    if (caption != nullptr) caption->setText(text);
    if (check != nullptr) check->setText(text);
    if (list == nullptr) return;
    for (int i = 0; i < field->entryCount(); ++i)
        list->setItemText(i, QtText(field->entry(i, lang)));
}

}  // namespace varel
