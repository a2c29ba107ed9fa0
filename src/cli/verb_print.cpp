// varel-cli print: puts a data file on paper as a PDF: the channel list with the settings sheet
// and the FM channels, or the pocket card. Renders without a display.
#include <QDate>
#include <QGuiApplication>
#include <filesystem>
#include <string>

#include "cli/cli_common.h"
#include "cli/verbs.h"
#include "files/file_io.h"
#include "image/image_codec.h"
#include "link/write_fingerprint.h"
#include "paper/paper_pdf.h"

namespace varel::cli {

namespace {

const char kPrintUsage[] =
    "usage: varel-cli print [--lang en|zh] [--card] [--paper a4|letter] IN.dat OUT.pdf\n"
    "\n"
    "Opens IN.dat as 'normalize' does and writes OUT.pdf: every programmed channel in the\n"
    "columns of the channel table (32 to a page), then the settings as 'dump' lists them and\n"
    "the FM channels. Each page names IN.dat, the date and the fingerprint of the bytes a write\n"
    "of IN.dat sends, which 'write --verify' prints after a verified write. Every font is\n"
    "embedded. OUT.pdf is replaced only when the whole file was written.\n"
    "\n"
    "  --lang en|zh        words in English (the default) or Chinese\n"
    "  --card              the pocket card instead: one page with each channel's number,\n"
    "                      name, receive frequency, transmit frequency where it differs and\n"
    "                      the tones that are on\n"
    "  --paper a4|letter   the paper size; by default the locale's (LC_ALL, LC_PAPER, LANG):\n"
    "                      Letter in the US, Canada, Mexico and others that use it, else A4\n"
    "\n"
    "Exit codes: 0 ok, 1 file error, 2 usage.\n";

}  // namespace

int RunPrint(const Args& args) {
    ParsedArgs parsed;
    std::string error;
    if (!ParseArgs(args, {{"--lang", true}, {"--card", false}, {"--paper", true}}, parsed, error))
        return UsageError(kPrintUsage, error);
    if (parsed.help) return PrintHelp(kPrintUsage);
    if (parsed.positional.size() != 2)
        return UsageError(kPrintUsage, "print takes a data file and a PDF file");
    PaperJob job;
    if (!LanguageOption(parsed, job.lang, error)) return UsageError(kPrintUsage, error);
    job.paper = DefaultPaper();
    if (parsed.has("--paper") && !PaperFromName(parsed.options.at("--paper"), job.paper))
        return UsageError(kPrintUsage, "--paper takes a4 or letter");
    const std::string& in = parsed.positional[0];
    const std::string& out = parsed.positional[1];
    if (in.empty() || out.empty()) return UsageError(kPrintUsage, "a file name is empty");

    if (!OpenConfiguration(in, job.cfg, error, job.lang)) return Fail(error);
    const DataFileResult target = CheckReplaceTarget(out);
    if (!target.ok()) return Fail(DescribeFailure(out, target));
    MemoryImage image;
    EncodeImage(job.cfg, image);
    job.fingerprint = link::WriteFingerprint(image);
    job.fileName = std::filesystem::path(in).filename().string();

    // The pages are drawn off screen: no display is needed. The toolkit's notices (a runtime
    // folder it misses) are not the verb's to print; its failures are judged by the result.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "varel-cli";
    static char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    job.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    const QByteArray pdf = parsed.has("--card") ? PocketCardPdf(job) : ChannelListPdf(job);
    const DataFileResult saved =
        ReplaceFile(out, std::vector<std::uint8_t>(pdf.begin(), pdf.end()));
    if (!saved.ok()) return Fail(DescribeFailure(out, saved));
    return kOk;
}

}  // namespace varel::cli
