// The File menu's paper: Export PDF... and Export Pocket Card... save the editors' values as a
// PDF in the program's language, name the data file and the fingerprint of what a write would
// send, and open the result in the desktop's viewer; "Print(&P)" stays unavailable. The paper
// size follows the locale's territory.
#include <QFileInfo>
#include <QMenu>
#include <string>

#include "app/document_commands.h"
#include "gui/app_fixture.h"
#include "link/write_fingerprint.h"
#include "paper/paper_size.h"
#include "support/run_program.h"

namespace varel::test {
namespace {

const std::string kSample = VAREL_TEST_DATA "/sample.dat";

std::string PdfText(const QString& pdf) {
    return RunProgram("/usr/bin/pdftotext", {"-layout", "-enc", "UTF-8", pdf.toStdString(), "-"})
        .out;
}

class PaperTest : public AppFixture {
protected:
    QString pdf(const char* name) const { return QString::fromStdString(dir.file(name)); }
    TempDir dir;
};

TEST_F(PaperTest, FileMenuHasBothExportsBesideTheUnavailablePrint) {
    const auto* file = window->findChild<QMenu*>("MNFile");
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->actions().contains(action("MNExportPdf")));
    EXPECT_TRUE(file->actions().contains(action("MNExportCard")));
    EXPECT_FALSE(action("MNPrint")->isEnabled());
    EXPECT_EQ(action("MNExportPdf")->text(), "导出PDF...");
    EXPECT_EQ(action("MNExportCard")->text(), "导出频道卡...");
    window->setLanguage(1);
    EXPECT_EQ(action("MNExportPdf")->text(), "Export PDF...");
    EXPECT_EQ(action("MNExportCard")->text(), "Export Pocket Card...");
    EXPECT_EQ(action("MNPrint")->text(), "Print(&P)");
}

TEST_F(PaperTest, ExportsSaveThePagesAndOpenThemInTheViewer) {
    ASSERT_TRUE(window->documentCommands()->OpenFile(QString::fromStdString(kSample)));
    addChannel(7);  // an edit not saved yet is on the paper too
    dialogs.savePdfName = pdf("list.pdf");
    action("MNExportPdf")->trigger();
    EXPECT_EQ(viewer.shown, QStringList{pdf("list.pdf")});
    const std::string fingerprint = link::WriteFingerprint(session->OutImage());
    std::string text = PdfText(pdf("list.pdf"));
    for (const std::string& word : {std::string("sample.dat"), std::string("频道列表"),
                                    std::string("数据指纹：") + fingerprint,
                                    std::string("145.50000"), std::string("参数设置")})
        EXPECT_TRUE(Has(text, word)) << word << "\n" << text;

    window->setLanguage(1);
    dialogs.savePdfName = pdf("card.pdf");
    action("MNExportCard")->trigger();
    EXPECT_EQ(viewer.shown.size(), 2);
    text = PdfText(pdf("card.pdf"));
    EXPECT_TRUE(Has(text, "Pocket card")) << text;
    EXPECT_TRUE(Has(text, "LAST1234")) << text;
    EXPECT_TRUE(boxes.shown.empty()) << boxes.last().text.toStdString();

    // A cancelled dialog does nothing.
    action("MNExportPdf")->trigger();
    EXPECT_EQ(viewer.shown.size(), 2);
}

TEST_F(PaperTest, AConfigurationReadFromTheRadioNamesNoFile) {
    ASSERT_TRUE(window->documentCommands()->OpenFile(QString::fromStdString(kSample)));
    session->loadImage(session->InImage());
    session->decode("Read");
    dialogs.savePdfName = pdf("read.pdf");
    action("MNExportCard")->trigger();
    const std::string text = PdfText(pdf("read.pdf"));
    EXPECT_TRUE(Has(text, "(无数据文件)")) << text;
    EXPECT_FALSE(Has(text, "sample.dat")) << text;
}

TEST_F(PaperTest, AFailedSaveOrViewerIsSaid) {
    dialogs.savePdfName = pdf("missing/list.pdf");
    action("MNExportPdf")->trigger();
    EXPECT_TRUE(viewer.shown.isEmpty());
    EXPECT_TRUE(boxes.last().text.startsWith("保存文件失败！\n"))
        << boxes.last().text.toStdString();
    EXPECT_EQ(boxes.last().title, "错误");

    viewer.opens = false;
    dialogs.savePdfName = pdf("list.pdf");
    action("MNExportPdf")->trigger();
    EXPECT_TRUE(QFileInfo::exists(pdf("list.pdf")));
    EXPECT_EQ(boxes.last().text, pdf("list.pdf") + " 已保存，但无法启动查看它的程序。");
}

TEST(PaperSize, FollowsTheTerritoryOfTheLocale) {
    const struct {
        const char* locale;
        Paper paper;
    } cases[] = {
        {"en_US.UTF-8", Paper::Letter},
        {"fr_CA", Paper::Letter},
        {"es_MX.UTF-8@x", Paper::Letter},
        {"en_PH.UTF-8", Paper::Letter},
        {"en_GB.UTF-8", Paper::A4},
        {"zh_CN.UTF-8", Paper::A4},
        {"de_DE", Paper::A4},
        {"C.UTF-8", Paper::A4},
        {"POSIX", Paper::A4},
        {"", Paper::A4},
        {"en_USA", Paper::A4},
        {"en", Paper::A4},
    };
    for (const auto& c : cases) EXPECT_EQ(PaperOfLocale(c.locale), c.paper) << c.locale;
    Paper paper = Paper::A4;
    EXPECT_TRUE(PaperFromName("LETTER", paper));
    EXPECT_EQ(paper, Paper::Letter);
    EXPECT_FALSE(PaperFromName("a5", paper));
    EXPECT_EQ(paper, Paper::Letter);
}

}  // namespace
}  // namespace varel::test
