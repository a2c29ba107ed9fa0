// Every text of the main window and of every child window, hidden ones included, follows the
// language both ways. The texts are read from the widgets themselves and judged against the
// program's vocabulary (the translation file and the codec's bilingual tables), so that no
// window's texts are copied here. Whether every English text has its Chinese one is the test
// `translations`.
#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSet>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QXmlStreamReader>
#include <algorithm>
#include <functional>
#include <map>

#include "files/data_file.h"
#include "gui/app_fixture.h"
#include "image/channel_columns.h"
#include "image/settings_fields.h"
#include "ui/about_box.h"

namespace varel::test {
namespace {

/// What the windows show: every text by its place ("MDIForm1/.../Form3/Combo1 item 2"), and
/// the places of captions (labels, buttons, frames, tabs, headers, menus, window titles) that
/// are empty. Places without text are left out of `texts`; "... index" places hold a selection.
struct Shown {
    std::map<QString, QString> texts;
    QStringList emptyCaptions;
};

// Where a widget or action sits: the names from the main window down; an unnamed object, or
// one whose name a sibling shares, also by its position among its siblings.
QString Place(const QObject* object) {
    QStringList names;
    for (; object != nullptr; object = object->parent()) {
        QString name = object->objectName();
        const QObject* parent = object->parent();
        if (parent != nullptr) {
            const auto& siblings = parent->children();
            const auto same = [&](const QObject* o) { return o->objectName() == name; };
            if (name.isEmpty()) name = object->metaObject()->className();
            if (object->objectName().isEmpty() ||
                std::count_if(siblings.begin(), siblings.end(), same) > 1)
                name += QString("#%1").arg(siblings.indexOf(object));
        }
        names.prepend(name);
    }
    return names.join('/');
}

// Reads what the main window and its child windows show.
class Reader {
public:
    explicit Reader(QWidget* mainWindow) {
        QList<QWidget*> widgets = mainWindow->findChildren<QWidget*>();
        widgets.prepend(mainWindow);
        for (QWidget* w : widgets) read(w, Place(w));
        for (QAction* action : mainWindow->findChildren<QAction*>()) {
            const QString place = Place(action) + " action";
            const bool menuItem =
                !action->isSeparator() && action->parent()->objectName().startsWith("MN");
            add(place, action->text(), menuItem);
            add(place + " tooltip", action->toolTip());
        }
    }
    Shown shown;

private:
    // A text at a place; a caption must not be empty.
    void add(const QString& place, const QString& text, bool caption = false) {
        if (caption && text.isEmpty()) shown.emptyCaptions << place;
        if (!text.isEmpty()) shown.texts[place] = text;
    }
    // Captions: the windows' titles, labels (save a message the program hides), buttons (save
    // the toolbar's icon buttons), frames, the program's menus, tabs and table headers. A
    // table's cells hold the document's values, which the editors' own tests follow.
    void read(QWidget* w, const QString& place) {
        if (place.endsWith("/Panel3") || place.endsWith("/Panel4")) return;  // date and clock
        add(place + " title", w->windowTitle(),
            w->parent() == nullptr ||
                (qobject_cast<QMdiSubWindow*>(w->parentWidget()) && !qobject_cast<QMenu*>(w)));
        add(place + " tooltip", w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w)) add(place, label->text(), !label->isHidden());
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            add(place, button->text(),
                !qobject_cast<QToolButton*>(w) && !w->inherits("QTableCornerButton"));
        if (auto* frame = qobject_cast<QGroupBox*>(w)) add(place, frame->title(), true);
        if (auto* menu = qobject_cast<QMenu*>(w))
            add(place, menu->title(), !menu->objectName().isEmpty());
        if (auto* box = qobject_cast<QLineEdit*>(w)) {
            add(place, box->text());
            add(place + " placeholder", box->placeholderText());
        }
        if (auto* list = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < list->count(); ++i)
                add(QString("%1 item %2").arg(place).arg(i), list->itemText(i));
            add(place + " current", list->currentText());
            add(place + " index", QString::number(list->currentIndex()));
        }
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                add(QString("%1 tab %2").arg(place).arg(i), tabs->tabText(i), true);
            add(place + " index", QString::number(tabs->currentIndex()));
        }
        if (auto* table = qobject_cast<QTableWidget*>(w))
            for (int c = 0; c < table->columnCount(); ++c) {
                const QTableWidgetItem* header = table->horizontalHeaderItem(c);
                add(QString("%1 header %2").arg(place).arg(c), header ? header->text() : "", true);
            }
    }
};

Shown Read(QWidget* mainWindow) {
    return Reader(mainWindow).shown;
}

bool HasChinese(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x2E80) return true;  // CJK characters and full-width punctuation
    return false;
}

// The English texts of the program that have a Chinese text of their own: the translation
// file's and the codec tables'.
QSet<QString> TranslatedEnglish() {
    QSet<QString> english;
    auto add = [&](const Bilingual& text) {
        if (!text.en.empty() && text.en != text.zh) english << QString::fromStdString(text.en);
    };
    for (const SettingField& field : SettingFields()) {
        add(field.caption);
        for (int i = 0; i < field.entryCount(); ++i)
            add({field.entry(i, Language::English), field.entry(i, Language::Chinese)});
    }
    for (int s = 0; s <= static_cast<int>(SettingSection::TuningB); ++s) {
        const SectionInfo& section = Section(static_cast<SettingSection>(s));
        for (const Bilingual* text : {&section.windowTitle, &section.caption, &section.page})
            add(*text);
    }
    for (const ChannelColumn& column : ChannelColumns()) {
        add(column.header);
        add(column.defaultText);
        for (const Bilingual& entry : column.entries) add(entry);
    }
    QFile ts(VAREL_ZH_TS);
    EXPECT_TRUE(ts.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&ts);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"source") source = xml.readElementText();
        if (xml.name() != u"translation" || source.contains("%n")) continue;
        const QString chinese = xml.readElementText();
        if (!chinese.isEmpty() && chinese != source) english << source;
    }
    EXPECT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
    EXPECT_GT(english.size(), 100);
    return english;
}

// Places whose text does not follow the general rule: the FM step caption and the maker's
// greeting in panel 2 keep their Chinese in English, and the second spare list of Form1 is
// renamed by English for good.
bool KeepsChinese(const QString& place) {
    return place.endsWith("/Form5/Label4") || place.endsWith("/StatusBar1/Panel2");
}
bool RenamedByEnglish(const QString& place) {
    return place.contains("/Form1/") && place.contains("/Combo5(11) ") && !place.endsWith(" index");
}

// The count of doubtful values follows the grid, where a tone the list lacks reads Off after a
// switch (and is then no longer doubtful): only its language is compared.
bool CountsTheGrid(const QString& place) {
    return place.endsWith("/StatusBar1/FlagCount");
}

class LanguageTest : public AppFixture {};

TEST_F(LanguageTest, EveryTextOfEveryWindowFollowsTheLanguageBothWays) {
    MemoryImage sample;
    ASSERT_TRUE(LoadDataFile(VAREL_TEST_DATA "/sample.dat", sample).ok());
    session->loadImage(sample);
    session->decode("Read");
    // Selections other than the first entry, and what is typed but not committed, stay
    // through the switches too.
    for (const char* name : {"Form3", "Form5"})
        for (QComboBox* list : form(name)->findChildren<QComboBox*>())
            if (list->currentIndex() <= 0) list->setCurrentIndex(list->count() - 1);
    find<QComboBox>(form("Form5"), "Combo1(0)")->setEditText("17");
    const Shown chinese = Read(window.get());
    window->setLanguage(1);
    const Shown english = Read(window.get());
    window->setLanguage(0);
    const Shown again = Read(window.get());

    EXPECT_EQ(chinese.emptyCaptions, QStringList());
    EXPECT_EQ(english.emptyCaptions, QStringList());
    const QSet<QString> translated = TranslatedEnglish();
    for (const auto& [place, zh] : chinese.texts) {
        SCOPED_TRACE(place.toStdString());
        const QString en = english.texts.count(place) ? english.texts.at(place) : QString();
        const QString zhAgain = again.texts.count(place) ? again.texts.at(place) : QString();
        EXPECT_FALSE(en.isEmpty()) << "no English where the Chinese is " << qPrintable(zh);
        EXPECT_FALSE(translated.contains(zh)) << "English in Chinese: " << qPrintable(zh);
        if (CountsTheGrid(place)) {
            EXPECT_TRUE(HasChinese(zh) && HasChinese(zhAgain) && !HasChinese(en)) << qPrintable(en);
            continue;
        }
        if (RenamedByEnglish(place)) {
            EXPECT_FALSE(HasChinese(en)) << qPrintable(en);
            EXPECT_EQ(zhAgain, en);
            continue;
        }
        EXPECT_EQ(zhAgain, zh);
        if (place.endsWith(" index") || KeepsChinese(place)) {
            EXPECT_EQ(en, zh);  // selections stay
        } else if (HasChinese(zh)) {
            EXPECT_FALSE(HasChinese(en)) << "Chinese in English: " << qPrintable(en);
        }
    }
    for (const auto& [place, en] : english.texts)
        EXPECT_TRUE(chinese.texts.count(place))
            << qPrintable(place) << ": no Chinese where the English is " << qPrintable(en);
    EXPECT_EQ(again.texts.size(), chinese.texts.size());
}

// A start in English shows what a switch to English shows, save that it writes nothing into
// status panel 2; a start with an unknown stored language shows Chinese and keeps the value.
TEST_F(LanguageTest, AStartInALanguageShowsWhatASwitchToItShows) {
    const Shown chinese = Read(window.get());
    window->setLanguage(1);
    Shown english = Read(window.get());
    start(1);
    const Shown startedInEnglish = Read(window.get());
    EXPECT_EQ(window->statusPanel(2)->text(), "");
    english.texts.erase(Place(window->statusPanel(2)));
    EXPECT_EQ(startedInEnglish.texts, english.texts);
    start(7);
    EXPECT_EQ(Read(window.get()).texts, chinese.texts);
    EXPECT_EQ(session->languageFlag(), 7);
}

// Captions pinned to their words in both languages, where the general rule above would not see
// a fault: the read and write commands, whose Chinese texts are alike and easily swapped (menu
// items and toolbar buttons), and the places that share an English text but keep a Chinese text
// of their own: a menu item and the window it shows, and the program's title on the main window
// and in the About window.
TEST_F(LanguageTest, CaptionsOfEachPlaceKeepTheirOwnWords) {
    auto text = [this](const char* item) { return [this, item] { return action(item)->text(); }; };
    auto tip = [this](const char* key) {
        return [this, key] { return find<QToolButton>(window.get(), key)->toolTip(); };
    };
    auto title = [this](const char* form) {
        return [this, form] { return this->form(form)->windowTitle(); };
    };
    const struct {
        const char* place;
        std::function<QString()> read;
        const char* en;
        const char* zh;
    } cases[] = {
        {"MNRead", text("MNRead"), "Read Data from the Transceive(&R)", "读频(&R)"},
        {"MNWrite", text("MNWrite"), "Write Data in the Transceive(&W)", "写频(&W)"},
        {"TRead", tip("TRead"), "Read Data from the Transceive", "读频"},
        {"TWrite", tip("TWrite"), "Write Data in the Transceive", "写频"},
        {"MNModel", text("MNModel"), "Channel Edit(&M)", "信道编辑(&M)"},
        {"Form1", title("Form1"), "Channel Edit", "信道编辑"},
        {"MNFMset", text("MNFMset"), "FM Channel Set", "收音机频道设置"},
        {"Form5", title("Form5"), "FM Channel Set", "FM频道设置"},
        {"MDIForm1", [this] { return window->windowTitle(); }, "Varel Wavesmith",
         "Varel 对讲机编程软件"},
        {"FrmAbout",
         [this] {
             AboutBox about(*window, QIcon());
             return find<QLabel>(&about, "lblTitle")->text();
         },
         "Varel Wavesmith", "Varel 对讲机编程软件"},
    };
    for (int flag : {1, 0}) {
        window->setLanguage(flag);
        for (const auto& c : cases)
            EXPECT_EQ(c.read(), QString(flag == 1 ? c.en : c.zh)) << c.place;
    }
}

}  // namespace
}  // namespace varel::test
