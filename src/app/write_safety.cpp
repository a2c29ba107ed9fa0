#include "app/write_safety.h"

#include <QCoreApplication>
#include <QStringList>

#include "ui/qt_text.h"

namespace varel {

namespace {

// So many problems are listed in the message itself; all of them are in its details.
constexpr int kListedProblems = 12;

}  // namespace

WriteCheckText DescribeWriteProblems(const std::vector<WriteProblem>& problems, Language lang) {
    QStringList lines;
    for (const WriteProblem& problem : problems) lines << QtText(WriteProblemText(problem, lang));
    const int count = static_cast<int>(lines.size());
    QString text =
        QCoreApplication::translate(
            "varel::WriteSafety",
            "The configuration has %n problem(s) the radio may not handle:", nullptr, count) +
        "\n" + QStringList(lines.mid(0, kListedProblems)).join('\n');
    if (count > kListedProblems)
        text += "\n" + QCoreApplication::translate("varel::WriteSafety",
                                                   "… and %n more (see the details).", nullptr,
                                                   count - kListedProblems);
    text += "\n\n" + QCoreApplication::translate("varel::WriteSafety",
                                                 "Write anyway, or cancel and correct them first?");
    return {text, count > kListedProblems ? lines.join('\n') : QString()};
}

QString DescribeDifferences(const std::vector<link::BlockDifference>& differences) {
    const int count = static_cast<int>(differences.size());
    const QString headline = QCoreApplication::translate(
        "varel::WriteSafety", "The radio does not hold what was written in %n block(s):", nullptr,
        count);
    QStringList lines;
    for (const link::BlockDifference& block : differences) {
        QStringList holds;
        for (const std::string& what : block.holds) holds << QtText(what);
        const QString address = QString::number(block.address, 16).toUpper().rightJustified(3, '0');
        lines << QString("0x%1: %2").arg(address, holds.join(", "));
    }
    return headline + "\n" + lines.join('\n') + "\n\n" +
           QCoreApplication::translate("varel::WriteSafety", "Write the configuration again.");
}

}  // namespace varel
