// The main window and the channel table editor: their static texts in both languages, the exit
// confirmation, the undo items, the About window and the message box buttons.
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>

#include "app/qt_message_boxes.h"
#include "gui/app_fixture.h"
#include "ui/about_box.h"

namespace varel::test {
namespace {

struct TextCase {
    const char* name;
    const char* chinese;
    const char* english;
};

// Menu items and menus by name, as the menu bar shows them.
const TextCase kMenuTexts[] = {
    {"MNFile", "文件(&F)", "File(&F)"},
    {"MNSave", "保存(&S)", "Save(&S)"},
    {"MNAbout", "帮助(&H)", "About(&H)"},
    {"MNChinese", "中文(&C)", "Chinese(&C)"},
    {"MNCommPort", "通信端口(&C)", "Communication Port(&C)"},
    {"MNDebug", "调试信息(&B)", "Debug Information(&B)"},
    {"MNEdit", "编辑(&E)", "Edit(&E)"},
    {"MNEnglish", "英文(&E)", "English(&E)"},
    {"MNF1", "帮助主题(F1)", "Help Theme(F1)"},
    {"MNHelp", "帮助(&H)", "Help(&H)"},
    {"MNLanguage", "语言选择(&L)", "Language Select(&L)"},
    {"MNModel", "信道编辑(&M)", "Channel Edit(&M)"},
    {"MNDTMF", "DTMF信令(&D)", "DTMF(&D)"},
    {"MNOption", "可选功能(&P)", "Optional Features(&P)"},
    {"MNFMset", "收音机频道设置", "FM Channel Set"},
    {"MNNew", "新建(&N)", "New(&N)"},
    {"MNOpen", "打开(&O)", "Open(&O)"},
    {"MNPrint", "打印(&P)", "Print(&P)"},
    {"MNProgram", "编程(&G)", "Programming(&G)"},
    {"MNQuit", "退出(&Q)", "Quit(&Q)"},
    {"MNRead", "读频(&R)", "Read Data from the Transceive(&R)"},
    {"MNWrite", "写频(&W)", "Write Data in the Transceive(&W)"},
};

const TextCase kTooltips[] = {
    {"TNew", "新建", "New"},
    {"TOpen", "打开", "Open"},
    {"TSave", "保存", "Save"},
    {"TRead", "读频", "Read Data from the Transceive"},
    {"TWrite", "写频", "Write Data in the Transceive"},
};

// Form1: the header cells and the list entries, each joined by "|" (of the tone list only the
// Off entry has two texts; Combo5(10) is never shown).
const TextCase kForm1Texts[] = {
    {"Grid1",
     "频道|接收频率|发射频率|接收亚音频|发射亚音频|功率|繁忙信道锁定|扫描添加|宽窄带|发射禁止|"
     "频道名称",
     "Channel|RXFreq|TXFreq|QT/DQT Dec|QT/DQT Enc|Power|Busy Lock|Add Scan|Band|TX Prohibit|"
     "Channel Name"},
    {"Combo1", "关闭", "Off"},
    {"Combo5(5)", "低|高|中", "Low|High|Middle"},
    {"Combo5(6)", "载波|关", "Carry|Off"},
    {"Combo5(7)", "禁止|使能", "Off|On"},
    {"Combo5(8)", "窄带|宽带", "Narror|wide"},
    {"Combo5(9)", "开|关", "On|Off"},
    {"Combo5(10)", "开|关", "On|Off"},
};

class MainWindowTest : public AppFixture {
protected:
    QString menuText(const char* name) {
        if (auto* menu = window->findChild<QMenu*>(name)) return menu->title();
        QAction* a = action(name);
        return a != nullptr ? a->text() : QString("<missing %1>").arg(name);
    }

    void expectTexts(bool english) {
        for (const TextCase& c : kMenuTexts)
            EXPECT_EQ(menuText(c.name), QString::fromUtf8(english ? c.english : c.chinese))
                << c.name;
        for (const TextCase& c : kTooltips)
            EXPECT_EQ(action(c.name)->toolTip(), QString::fromUtf8(english ? c.english : c.chinese))
                << c.name;
        EXPECT_EQ(window->windowTitle(),
                  QString::fromUtf8(english ? "Varel Wavesmith" : "Varel 对讲机编程软件"));
        EXPECT_EQ(find<QLabel>(form("BandSelector"), "Label1")->text(),
                  QString::fromUtf8(english ? "Range:" : "频段:"));

        EXPECT_EQ(form("Form1")->windowTitle(),
                  QString::fromUtf8(english ? "Channel Edit" : "信道编辑"));
        for (const TextCase& c : kForm1Texts) {
            const QStringList expected =
                QString::fromUtf8(english ? c.english : c.chinese).split('|');
            EXPECT_EQ(form1Texts(c.name).mid(0, expected.size()), expected) << c.name;
        }
    }
    // The header texts of Grid1 or the entries of a list of Form1.
    QStringList form1Texts(const char* name) {
        QStringList texts;
        if (auto* grid = qobject_cast<QTableWidget*>(find<QWidget>(form("Form1"), name))) {
            for (int c = 0; c < grid->columnCount(); ++c)
                texts << grid->horizontalHeaderItem(c)->text();
        } else {
            auto* list = find<QComboBox>(form("Form1"), name);
            for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
        }
        return texts;
    }
};

TEST_F(MainWindowTest, StaticTextsFollowTheLanguageBothWays) {
    expectTexts(false);
    EXPECT_EQ(window->statusPanel(1)->text(), "COM: 0");
    const QString maker = window->statusPanel(2)->text();
    EXPECT_TRUE(maker.contains("Varel"));
    EXPECT_EQ(form1Texts("Combo5(11)"), (QStringList{"禁止", "使能"}));
    window->setLanguage(1);
    expectTexts(true);
    EXPECT_EQ(window->statusPanel(2)->text(), maker);  // English leaves the panel alone
    EXPECT_EQ(form1Texts("Combo5(11)"), (QStringList{"Off", "On"}));
    window->setLanguage(0);
    expectTexts(false);
    EXPECT_EQ(form1Texts("Combo5(11)"), (QStringList{"Off", "On"}));  // only English renames it

    start(1);  // a first start in English writes nothing into panel 2
    expectTexts(true);
    EXPECT_EQ(window->statusPanel(2)->text(), "");
    start(7);  // an unknown stored language shows Chinese texts and is kept
    expectTexts(false);
    EXPECT_EQ(session->languageFlag(), 7);
}

TEST_F(MainWindowTest, CommandsThatNeverWorkAreUnavailableAndServiceButtonsHidden) {
    for (const char* name : {"MNPrint", "MNDTMF", "MNF1"}) EXPECT_FALSE(action(name)->isEnabled());
    for (const char* name : {"TAnMa", "TDebug", "TFMMa"}) EXPECT_FALSE(action(name)->isVisible());
    for (const char* name : {"TNew", "TOpen", "TSave", "TRead", "TWrite"}) {
        EXPECT_TRUE(action(name)->isVisible());
        EXPECT_FALSE(action(name)->icon().isNull()) << name;
    }
    EXPECT_EQ(action("MNNew")->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(action("MNAbout")->shortcut(), QKeySequence("Ctrl+A"));
    EXPECT_EQ(action("MNRedo")->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    // Ctrl+W writes, also while a child window, whose window menu closes with it, is active.
    QSignalSpy write(action("MNWrite"), &QAction::triggered);
    QTest::keyClick(find<QWidget>(form("Form1"), "Grid1"), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(write.count(), 1);
    EXPECT_TRUE(form("Form1")->isVisible());
}

TEST_F(MainWindowTest, ExitAsksAndOnlyOkStoresAndCloses) {
    session->setPortNumber(7);
    boxes.answers = {MsgResult::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(settings.languageSaves, 0);
    const ShownMessage asked = boxes.last();
    EXPECT_EQ(asked.title, "注意");
    EXPECT_EQ(asked.text, "确定退出本程序？\n未保存的更改将全部丢失！");
    EXPECT_EQ(asked.style, MsgStyle::OkCancel | MsgStyle::Question | MsgStyle::DefaultButton2 |
                               MsgStyle::SystemModal);

    window->setLanguage(1);
    boxes.answers = {MsgResult::Ok};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(boxes.last().title, "Be careful");
    EXPECT_EQ(boxes.last().text,
              "Confirm that withdraws from a procedure?\nLose all in change not kept!");
    EXPECT_EQ(settings.language, 1);
    EXPECT_EQ(settings.port, 7);
}

TEST_F(MainWindowTest, UndoItemsFollowTheHistoryAndNameTheStepInTheLanguageShown) {
    EXPECT_FALSE(action("MNUndo")->isEnabled());
    const QString plainUndo = action("MNUndo")->text();
    session->edit(EditLabel::Cell(4, 10), [](Document& d) { d.channels.CommitName(4, "ABC"); });
    EXPECT_TRUE(action("MNUndo")->isEnabled());
    EXPECT_EQ(action("MNUndo")->text(), "撤销 频道 4 频道名称(&U)");
    window->setLanguage(1);
    EXPECT_EQ(action("MNUndo")->text(), "Undo channel 4 Channel Name(&U)");
    action("MNUndo")->trigger();
    EXPECT_EQ(session->channels().cell(4, 10), "");
    EXPECT_EQ(action("MNUndo")->text(), "Undo(&U)");
    EXPECT_TRUE(action("MNRedo")->isEnabled());
    EXPECT_EQ(action("MNRedo")->text(), "Redo channel 4 Channel Name(&R)");
    action("MNRedo")->trigger();
    EXPECT_EQ(session->channels().model().channel(4).name, "ABC");
    window->setLanguage(0);
    EXPECT_NE(action("MNUndo")->text(), plainUndo);
}

TEST_F(MainWindowTest, AboutWindowClosesOnAnyClick) {
    AboutBox about(*window, QIcon());
    EXPECT_EQ(find<QLabel>(&about, "lblVersion")->text(), "简体中文版 V1.20");
    about.show();
    QTest::mouseClick(find<QLabel>(&about, "lblTitle"), Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(MainWindowTest, MessageBoxButtonsCarryTheTextsOfTheLanguage) {
    QtMessageBoxes real(window.get());
    for (int flag : {0, 1}) {
        window->setLanguage(flag);
        QStringList texts;
        QString title;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            for (QAbstractButton* b : box->buttons()) texts << b->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == "否" || b->text() == "No") b->click();
        });
        EXPECT_EQ(real.LocalMsgBox("?", MsgStyle::YesNoCancel, ""), MsgResult::No);
        texts.sort();
        QStringList expected =
            flag == 0 ? QStringList{"取消", "否", "是"} : QStringList{"Cancel", "No", "Yes"};
        expected.sort();
        EXPECT_EQ(texts, expected);
        EXPECT_EQ(title, flag == 0 ? QString("Varel 对讲机编程软件") : QString("Varel Wavesmith"));
    }
}

}  // namespace
}  // namespace varel::test
