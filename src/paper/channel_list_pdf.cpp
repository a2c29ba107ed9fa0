// The channel list: the channel pages, then the settings sheet flowed in two columns.
#include <algorithm>
#include <numeric>

#include "checks/settings_listing.h"
#include "paper/channel_rows.h"
#include "paper/page_sheet.h"
#include "paper/paper_pdf.h"
#include "paper/paper_text.h"

namespace varel {

namespace {

constexpr double kTablePoints = 9;  // the channel table's largest font size
constexpr double kLeastPoints = 5;  // ... and its smallest
constexpr int kFmPerLine = 5;       // FM channels side by side on the settings sheet

int ChannelPages(std::size_t rows) {
    return std::max(1, static_cast<int>((rows + kChannelsPerPage - 1) / kChannelsPerPage));
}

void DrawChannelPages(PageSheet& sheet, const PaperJob& job, const std::vector<QStringList>& rows,
                      int pages) {
    const QRectF body = sheet.body();
    const QStringList header = ChannelHeader(job.lang);
    // The largest font with which every column fits the width, then spread over the width.
    double points = kTablePoints;
    std::vector<double> widths;
    for (;; points -= 0.5) {
        widths = sheet.columnWidths(sheet.font(points, true), header, rows);
        if (points <= kLeastPoints ||
            std::accumulate(widths.begin(), widths.end(), 0.0) <= body.width())
            break;
    }
    FitWidths(widths, body.width(), true);
    const double rowHeight = std::min(sheet.mm(6.5), body.height() / (kChannelsPerPage + 1));

    QPainter& p = sheet.painter();
    const QString title = QtString(PaperText(PaperWord::ChannelList, job.lang));
    for (int page = 0; page < ChannelPages(rows.size()); ++page) {
        if (page > 0) sheet.newPage();
        sheet.drawFrame(title, page + 1, pages);
        p.fillRect(QRectF(body.left(), body.top(), body.width(), rowHeight), QColor(220, 220, 220));
        p.setFont(sheet.font(points, true));
        sheet.drawRow(header, widths, body.left(), body.top(), rowHeight);
        p.setFont(sheet.font(points));
        const std::size_t first = static_cast<std::size_t>(page) * kChannelsPerPage;
        const std::size_t end = std::min(rows.size(), first + kChannelsPerPage);
        for (std::size_t i = first; i < end; ++i) {
            const double top = body.top() + static_cast<double>(i - first + 1) * rowHeight;
            if ((i - first) % 2 == 1)
                p.fillRect(QRectF(body.left(), top, body.width(), rowHeight),
                           QColor(242, 242, 242));
            sheet.drawRow(rows[i], widths, body.left(), top, rowHeight);
        }
        if (rows.empty())
            p.drawText(QRectF(body.left(), body.top() + rowHeight * 1.5, body.width(), rowHeight),
                       Qt::AlignLeft | Qt::AlignVCenter,
                       QtString(PaperText(PaperWord::NoChannels, job.lang)));
    }
}

// One line of the settings sheet.
struct SheetLine {
    enum class Kind { Window, Section, Value, FmChannels } kind;
    QStringList cells;        // the title, the caption and value, or the FM channels
    double captionWidth = 0;  // Value: the width of its window's captions
};

std::vector<SheetLine> SheetLines(const PageSheet& sheet, const PaperJob& job, double columnWidth) {
    std::vector<SheetLine> lines;
    const QFontMetricsF metrics = sheet.metrics(sheet.font(8));
    for (const ListedWindow& window : ListSettings(job.cfg.settings, job.lang)) {
        double captionWidth = 0;
        for (const ListedSection& section : window.sections)
            for (const ListedValue& v : section.values)
                captionWidth =
                    std::max(captionWidth, metrics.horizontalAdvance(QtString(v.caption)));
        captionWidth = std::min(captionWidth + sheet.mm(3), columnWidth * 0.6);
        if (!window.title.empty())
            lines.push_back({SheetLine::Kind::Window, {QtString(window.title)}, 0});
        for (const ListedSection& section : window.sections) {
            if (!section.caption.empty())
                lines.push_back({SheetLine::Kind::Section, {QtString(section.caption)}, 0});
            for (const ListedValue& v : section.values)
                lines.push_back({SheetLine::Kind::Value,
                                 {QtString(v.caption), QtString(v.value)},
                                 captionWidth});
        }
        if (window.fmChannels.size() < 2) continue;
        const auto& head = window.fmChannels.front();
        lines.push_back({SheetLine::Kind::Section, {QtString(head[0] + " / " + head[1])}, 0});
        for (std::size_t i = 1; i < window.fmChannels.size(); i += kFmPerLine) {
            SheetLine line{SheetLine::Kind::FmChannels, {}, 0};
            for (std::size_t k = i; k < std::min(i + kFmPerLine, window.fmChannels.size()); ++k)
                line.cells << QtString(window.fmChannels[k][0] + "  " + window.fmChannels[k][1]);
            lines.push_back(line);
        }
    }
    return lines;
}

// A line's place: its page of the sheet, its column and its top.
struct Placed {
    int page = 0;
    int column = 0;
    double top = 0;
};

double LineHeight(const PageSheet& sheet, SheetLine::Kind kind) {
    switch (kind) {
        case SheetLine::Kind::Window:
            return sheet.mm(8);
        case SheetLine::Kind::Section:
            return sheet.mm(5.5);
        default:
            return sheet.mm(4.2);
    }
}

// Flows the lines down two columns a page; a title stays with the line after it.
std::vector<Placed> Flow(const PageSheet& sheet, const std::vector<SheetLine>& lines) {
    const QRectF body = sheet.body();
    std::vector<Placed> placed;
    Placed at{0, 0, body.top()};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        double need = 0;
        for (std::size_t k = i; k < lines.size(); ++k) {
            need += LineHeight(sheet, lines[k].kind);
            if (lines[k].kind == SheetLine::Kind::Value ||
                lines[k].kind == SheetLine::Kind::FmChannels)
                break;
        }
        if (at.top + need > body.bottom() && at.top > body.top()) {
            at = at.column == 0 ? Placed{at.page, 1, body.top()}
                                : Placed{at.page + 1, 0, body.top()};
        }
        placed.push_back(at);
        at.top += LineHeight(sheet, lines[i].kind);
    }
    return placed;
}

void DrawLine(PageSheet& sheet, const SheetLine& line, double left, double top, double width) {
    QPainter& p = sheet.painter();
    const double height = LineHeight(sheet, line.kind);
    switch (line.kind) {
        case SheetLine::Kind::Window:
            p.setFont(sheet.font(10.5, true));
            p.drawText(QRectF(left, top, width, height), Qt::AlignLeft | Qt::AlignBottom,
                       line.cells[0]);
            return;
        case SheetLine::Kind::Section:
            p.setFont(sheet.font(8.5, true));
            p.drawText(QRectF(left, top, width, height), Qt::AlignLeft | Qt::AlignBottom,
                       line.cells[0]);
            return;
        case SheetLine::Kind::Value:
            p.setFont(sheet.font(8));
            sheet.drawRow(line.cells, {line.captionWidth, width - line.captionWidth}, left, top,
                          height);
            return;
        case SheetLine::Kind::FmChannels:
            p.setFont(sheet.font(8));
            sheet.drawRow(line.cells, std::vector<double>(kFmPerLine, width / kFmPerLine), left,
                          top, height);
            return;
    }
}

}  // namespace

QByteArray ChannelListPdf(const PaperJob& job) {
    const QString title = QtString(PaperText(PaperWord::ChannelList, job.lang));
    PageSheet sheet(job, title);
    const std::vector<QStringList> rows = ChannelRows(job.cfg.channels, job.lang);
    const QRectF body = sheet.body();
    const double gap = sheet.mm(8);
    const double columnWidth = (body.width() - gap) / 2;
    const std::vector<SheetLine> lines = SheetLines(sheet, job, columnWidth);
    const std::vector<Placed> placed = Flow(sheet, lines);
    const int channelPages = ChannelPages(rows.size());
    const int pages = channelPages + (placed.empty() ? 0 : placed.back().page + 1);

    DrawChannelPages(sheet, job, rows, pages);
    const QString settingsTitle = QtString(PaperText(PaperWord::Settings, job.lang));
    int page = -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (placed[i].page != page) {
            page = placed[i].page;
            sheet.newPage();
            sheet.drawFrame(settingsTitle, channelPages + page + 1, pages);
        }
        DrawLine(sheet, lines[i], body.left() + placed[i].column * (columnWidth + gap),
                 placed[i].top, columnWidth);
    }
    return sheet.finish();
}

}  // namespace varel
