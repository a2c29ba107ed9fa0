// The pocket card: the programmed channels in a few words each, as small as they stay legible,
// in as few columns as fit one page, inside a dashed line to cut along.
#include <algorithm>
#include <numeric>

#include "image/channel_columns.h"
#include "link/write_fingerprint.h"
#include "paper/channel_rows.h"
#include "paper/page_sheet.h"
#include "paper/paper_pdf.h"
#include "paper/paper_text.h"

namespace varel {

namespace {

// The grid columns the card shows, in its order: number, name, RX, TX, the two tones.
const int kCardColumns[] = {
    0, kNameColumn, kRxFreqColumn, kTxFreqColumn, kRxToneColumn, kTxToneColumn};

QStringList CardCells(const QStringList& grid, const Channel& channel) {
    QStringList cells;
    for (int column : kCardColumns) cells << grid[column];
    const int tx = 3;  // the card's TX cell
    if (channel.freq[1].empty())
        cells[tx] = QStringLiteral("—");
    else if (channel.freq[1] == channel.freq[0])
        cells[tx].clear();
    // The tones follow at card cells 4 and 5; one at list position 0 is Off as a write sends
    // it (a tone the list lacks too) and is left out.
    for (int tone : {kRxToneColumn, kTxToneColumn})
        if (channel.index(tone) == 0) cells[tone + 1].clear();
    return cells;
}

// The card's measures: font size, columns of channels, the widths of one column's cells.
struct CardFit {
    double points = 0;
    int columns = 1;
    std::vector<double> widths;
    double rowHeight = 0;
    double columnWidth() const { return std::accumulate(widths.begin(), widths.end(), 0.0); }
};

CardFit Fit(const PageSheet& sheet, const QStringList& header, const std::vector<QStringList>& rows,
            const QRectF& room, double titleHeight) {
    CardFit fit;
    const double gap = sheet.mm(3);
    for (double points = 7.5; points >= 4.5; points -= 0.5) {
        fit.points = points;
        fit.widths = sheet.columnWidths(sheet.font(points), header, rows);
        fit.rowHeight = sheet.metrics(sheet.font(points)).height() * 1.2;
        for (fit.columns = 1; fit.columns <= 3; ++fit.columns) {
            const std::size_t perColumn =
                (rows.size() + static_cast<std::size_t>(fit.columns) - 1) /
                static_cast<std::size_t>(fit.columns);
            const double height = titleHeight + static_cast<double>(perColumn + 1) * fit.rowHeight;
            const double width = fit.columns * fit.columnWidth() + (fit.columns - 1) * gap;
            if (height <= room.height() && width <= room.width()) return fit;
        }
    }
    // Names full of control characters: the cells are cut short to fit three columns.
    fit.columns = 3;
    FitWidths(fit.widths, (room.width() - 2 * gap) / 3, false);
    return fit;
}

}  // namespace

QByteArray PocketCardPdf(const PaperJob& job) {
    const QString title = QtString(PaperText(PaperWord::PocketCard, job.lang));
    PageSheet sheet(job, title);
    const QStringList grid = ChannelHeader(job.lang);
    QStringList header;
    for (int column : kCardColumns) header << grid[column];
    std::vector<QStringList> rows;
    for (const QStringList& row : ChannelRows(job.cfg.channels, job.lang))
        rows.push_back(CardCells(row, job.cfg.channels.channel(row[0].toInt())));

    sheet.drawFrame(title, 1, 1);
    const double pad = sheet.mm(2);
    const QRectF room = sheet.body().adjusted(pad, pad, -pad, -pad);
    const double titleHeight = sheet.mm(5);
    const CardFit fit = Fit(sheet, header, rows, room, titleHeight);
    const double gap = sheet.mm(3);
    const std::size_t perColumn =
        std::max<std::size_t>(1, (rows.size() + static_cast<std::size_t>(fit.columns) - 1) /
                                     static_cast<std::size_t>(fit.columns));
    const double width = fit.columns * fit.columnWidth() + (fit.columns - 1) * gap;
    const double height = titleHeight + static_cast<double>(perColumn + 1) * fit.rowHeight;

    QPainter& p = sheet.painter();
    p.setPen(QPen(Qt::black, sheet.mm(0.2), Qt::DashLine));
    p.drawRect(QRectF(room.left() - pad, room.top() - pad, width + 2 * pad, height + 2 * pad));
    p.setPen(Qt::black);
    p.setFont(sheet.font(fit.points + 1, true));
    const std::string file =
        job.fileName.empty() ? PaperText(PaperWord::NoDataFile, job.lang) : job.fileName;
    p.drawText(QRectF(room.left(), room.top(), width, titleHeight), Qt::AlignLeft | Qt::AlignTop,
               QtString(file + "   " + link::FingerprintLine(job.fingerprint, job.lang)));
    if (rows.empty()) {
        p.setFont(sheet.font(fit.points));
        p.drawText(QRectF(room.left(), room.top() + titleHeight, width, fit.rowHeight),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   QtString(PaperText(PaperWord::NoChannels, job.lang)));
    }
    for (int column = 0; column < fit.columns; ++column) {
        const double left = room.left() + column * (fit.columnWidth() + gap);
        const std::size_t first = static_cast<std::size_t>(column) * perColumn;
        if (first >= rows.size()) break;
        p.setFont(sheet.font(fit.points, true));
        sheet.drawRow(header, fit.widths, left, room.top() + titleHeight, fit.rowHeight);
        p.setFont(sheet.font(fit.points));
        for (std::size_t i = first; i < std::min(rows.size(), first + perColumn); ++i)
            sheet.drawRow(
                rows[i], fit.widths, left,
                room.top() + titleHeight + static_cast<double>(i - first + 1) * fit.rowHeight,
                fit.rowHeight);
    }
    return sheet.finish();
}

}  // namespace varel
