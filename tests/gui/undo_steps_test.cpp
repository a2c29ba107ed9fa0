// Open, New, a band change and a channel list import through the program's commands are one
// undo step each: the undo brings back every editor as it showed the document before (channels
// with their grid texts, settings, band, FM channels, power tuning), the redo the document after
// it, the Edit menu names the step in both languages, and the steps before it stay in the
// history. An undone decode shows the FM editor's committed values, as the decode did.
#include <QComboBox>
#include <QTableWidget>
#include <functional>

#include "files/data_file.h"
#include "gui/app_fixture.h"
#include "gui/shown_values.h"
#include "support/temp_dir.h"

namespace varel::test {
namespace {

const QString kSample = QStringLiteral(VAREL_TEST_DATA "/sample.dat");

class UndoStepsTest : public AppFixture {
protected:
    // A document unlike both the sample file and a fresh one, made by one edit: a channel with
    // a name, the FM channel 3, a power tuning slider and a feature setting.
    void prepare() {
        session->edit("start", [this](Document& d) {
            d.channels.CommitFrequency(1, 1, "145.5", session->band(), session->language());
            d.channels.CommitName(1, "KEEP");
            d.settings.setFmChannel(3, "88.10");
            d.settings.setTuning(0, 100);
            d.settings.setText(SettingId::PowerOnPassword, "4321");
        });
    }
    QComboBox* band() { return find<QComboBox>(form("BandSelector"), "Combo1"); }
    QTableWidget* fmGrid() { return find<QTableWidget>(form("Form5"), "MSFGrid"); }
    QString undoText() { return action("MNUndo")->text(); }
    // The label of the step Undo takes back, in both languages.
    std::pair<QString, QString> undoTexts() {
        window->setLanguage(1);
        const QString en = undoText();
        window->setLanguage(0);
        return {undoText(), en};
    }

    TempDir dir;
};

struct StepCase {
    const char* what;
    std::function<void()> act;
    const char* zh;  // the Undo item naming the step
    const char* en;
    std::size_t questions;  // message boxes the step shows
};

TEST_F(UndoStepsTest, EachStepIsUndoneAndRedoneWholeAndNamedInBothLanguages) {
    const StepCase cases[] = {
        {"Open",
         [this] {
             dialogs.openName = kSample;
             action("MNOpen")->trigger();
         },
         "撤销 打开(&U)", "Undo Open(&U)", 0},
        {"Backups... opens as Open",
         [this] {
             dialogs.openName = kSample;
             action("MNBackups")->trigger();
         },
         "撤销 打开(&U)", "Undo Open(&U)", 0},
        {"New", [this] { action("MNNew")->trigger(); }, "撤销 新建(&U)", "Undo New(&U)", 1},
        {"a band change that empties the table",
         [this] {
             QComboBox* list = band();
             list->showPopup();
             QTest::keyClick(list->view(), Qt::Key_Down);
             QTest::keyClick(list->view(), Qt::Key_Return);
         },
         "撤销 频段:(&U)", "Undo Range:(&U)", 1},
        {"an import",
         [this] {
             const std::string list = dir.file("list.csv");
             WriteFileText(list, "Location,Name,Frequency\r\n1,call,145.6\r\n7,far,435.0\r\n");
             dialogs.openListName = QString::fromStdString(list);
             action("MNImportCsv")->trigger();
         },
         "撤销 导入频道列表(&U)", "Undo Import channel list(&U)", 0},
    };
    ASSERT_TRUE(dir.ok());
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.what);
        start(0);
        prepare();
        boxes.shown.clear();
        const Document before = session->document();
        const QStringList shownBefore = ShownValues(*window);

        c.act();
        EXPECT_EQ(boxes.shown.size(), c.questions);
        const Document after = session->document();
        const QStringList shownAfter = ShownValues(*window);
        EXPECT_NE(after, before);
        EXPECT_NE(shownAfter, shownBefore);
        EXPECT_EQ(undoTexts(), std::make_pair(QString(c.zh), QString(c.en)));

        action("MNUndo")->trigger();
        EXPECT_EQ(session->document(), before);
        EXPECT_EQ(ShownValues(*window), shownBefore);
        EXPECT_EQ(band()->currentIndex(), before.settings.band());
        EXPECT_EQ(undoText(), "撤销 start(&U)");  // the history before the step is kept

        action("MNRedo")->trigger();
        EXPECT_EQ(session->document(), after);
        EXPECT_EQ(ShownValues(*window), shownAfter);
        EXPECT_EQ(boxes.shown.size(), c.questions);  // neither asks again
    }
}

TEST_F(UndoStepsTest, AnImportBeforeAnOpenIsStillUndoneAfterTheOpenIs) {
    ASSERT_TRUE(dir.ok());
    prepare();
    const Document prepared = session->document();
    WriteFileText(dir.file("list.csv"), "Location,Name,Frequency\r\n2,two,146.0\r\n");
    dialogs.openListName = QString::fromStdString(dir.file("list.csv"));
    action("MNImportCsv")->trigger();
    ASSERT_TRUE(session->channels().model().channel(2).exists());
    const Document imported = session->document();
    dialogs.openName = kSample;
    action("MNOpen")->trigger();
    action("MNUndo")->trigger();
    EXPECT_EQ(session->document(), imported);
    action("MNUndo")->trigger();
    EXPECT_EQ(session->document(), prepared);
    for (int redo = 0; redo < 2; ++redo) action("MNRedo")->trigger();
    EXPECT_FALSE(action("MNRedo")->isEnabled());
    EXPECT_NE(session->document(), imported);  // the opened file again
}

// What the FM editor shows but "OK" never committed is replaced on a decode by the committed
// values; the undo and the redo of that decode do the same, even when no FM value differs.
TEST_F(UndoStepsTest, AnUndoneOpenShowsTheCommittedFmValuesAsTheOpenDid) {
    ASSERT_TRUE(dir.ok());
    prepare();
    dialogs.saveName = QString::fromStdString(dir.file("same.dat"));
    action("MNSave")->trigger();
    session->edit("name", [](Document& d) { d.channels.CommitName(1, "OTHER"); });
    QTableWidgetItem* typed = fmGrid()->item(6, 1);  // FM channel 7, typed and not committed
    const QString committed = typed->text();
    for (const char* step : {"open", "undo", "redo"}) {
        SCOPED_TRACE(step);
        typed->setText("100.0");
        if (step[0] == 'o') {
            dialogs.openName = QString::fromStdString(dir.file("same.dat"));
            action("MNOpen")->trigger();
        } else {
            action(step[0] == 'u' ? "MNUndo" : "MNRedo")->trigger();
        }
        EXPECT_EQ(typed->text(), committed);
        EXPECT_EQ(fmGrid()->item(2, 1)->text(), "88.10");
        EXPECT_EQ(session->channels().model().channel(1).name, step[0] == 'u' ? "OTHER" : "KEEP");
    }
}

}  // namespace
}  // namespace varel::test
