#include "paper/page_sheet.h"

#include <QFontDatabase>
#include <QPageSize>
#include <algorithm>
#include <numeric>

#include "link/write_fingerprint.h"
#include "paper/paper_text.h"

namespace varel {

namespace {

const char kFamily[] = "WenQuanYi Micro Hei";
const char kFontFile[] = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";
constexpr int kDotsPerInch = 300;
constexpr double kMarginMm = 12;
constexpr double kHeaderMm = 17;
constexpr double kFooterMm = 8;

}  // namespace

QString PaperFontFamily() {
    static const QString family = [] {
        if (QFontDatabase::families().contains(kFamily)) return QString(kFamily);
        const int id = QFontDatabase::addApplicationFont(kFontFile);
        const QStringList loaded = QFontDatabase::applicationFontFamilies(id);
        return loaded.contains(kFamily) ? QString(kFamily) : QString();
    }();
    return family;
}

PageSheet::PageSheet(const PaperJob& job, const QString& title)
    : m_job(job), m_family(PaperFontFamily()) {
    m_buffer.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_buffer);
    m_writer->setPageSize(
        QPageSize(job.paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4));
    m_writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    m_writer->setResolution(kDotsPerInch);
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("Wavesmith"));
    m_painter.begin(m_writer.get());
}

PageSheet::~PageSheet() {
    if (m_painter.isActive()) m_painter.end();
}

double PageSheet::mm(double millimetres) const {
    return millimetres * kDotsPerInch / 25.4;
}

QFont PageSheet::font(double points, bool bold) const {
    QFont f(m_family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QFontMetricsF PageSheet::metrics(const QFont& f) const {
    return QFontMetricsF(f, m_writer.get());
}

QRectF PageSheet::area() const {
    const QRectF page(0, 0, m_writer->width(), m_writer->height());
    return page.adjusted(mm(kMarginMm), mm(kMarginMm), -mm(kMarginMm), -mm(kMarginMm));
}

QRectF PageSheet::body() const {
    return area().adjusted(0, mm(kHeaderMm), 0, -mm(kFooterMm));
}

void PageSheet::drawFrame(const QString& partTitle, int page, int pages) {
    const QRectF a = area();
    const double line = mm(6);
    const QString file = QtString(
        m_job.fileName.empty() ? PaperText(PaperWord::NoDataFile, m_job.lang) : m_job.fileName);
    m_painter.setPen(Qt::black);
    m_painter.setFont(font(12, true));
    m_painter.drawText(QRectF(a.left(), a.top(), a.width() * 0.6, line),
                       Qt::AlignLeft | Qt::AlignVCenter, file);
    m_painter.setFont(font(9));
    m_painter.drawText(QRectF(a.left(), a.top() + line, a.width() * 0.6, line),
                       Qt::AlignLeft | Qt::AlignVCenter, partTitle);
    m_painter.drawText(QRectF(a.left(), a.top(), a.width(), line),
                       Qt::AlignRight | Qt::AlignVCenter,
                       QtString(PaperText(PaperWord::Printed, m_job.lang, {m_job.date})));
    m_painter.drawText(QRectF(a.left(), a.top() + line, a.width(), line),
                       Qt::AlignRight | Qt::AlignVCenter,
                       QtString(link::FingerprintLine(m_job.fingerprint, m_job.lang)));
    const double rule = a.top() + 2 * line + mm(2);
    m_painter.drawLine(QPointF(a.left(), rule), QPointF(a.right(), rule));
    m_painter.setFont(font(8));
    m_painter.drawText(
        QRectF(a.left(), a.bottom() - mm(kFooterMm) / 2, a.width(), mm(kFooterMm) / 2),
        Qt::AlignHCenter | Qt::AlignBottom,
        QtString(PaperText(PaperWord::PageOfPages, m_job.lang,
                           {std::to_string(page), std::to_string(pages)})));
}

std::vector<double> PageSheet::columnWidths(const QFont& f, const QStringList& header,
                                            const std::vector<QStringList>& rows) const {
    const QFontMetricsF m = metrics(f);
    std::vector<double> widths(static_cast<std::size_t>(header.size()), 0.0);
    auto widen = [&](const QStringList& cells) {
        for (int c = 0; c < cells.size() && c < header.size(); ++c)
            widths[static_cast<std::size_t>(c)] =
                std::max(widths[static_cast<std::size_t>(c)], m.horizontalAdvance(cells[c]));
    };
    widen(header);
    for (const QStringList& row : rows) widen(row);
    for (double& w : widths) w += mm(2.5);
    return widths;
}

void PageSheet::drawRow(const QStringList& cells, const std::vector<double>& widths, double left,
                        double top, double height) {
    const QFontMetricsF m = metrics(m_painter.font());
    double x = left;
    for (int c = 0; c < cells.size() && c < static_cast<int>(widths.size()); ++c) {
        const double w = widths[static_cast<std::size_t>(c)];
        const double pad = mm(1);
        m_painter.drawText(QRectF(x + pad, top, w - 2 * pad, height),
                           Qt::AlignLeft | Qt::AlignVCenter,
                           m.elidedText(cells[c], Qt::ElideRight, w - 2 * pad));
        x += w;
    }
}

void FitWidths(std::vector<double>& widths, double total, bool grow) {
    const double sum = std::accumulate(widths.begin(), widths.end(), 0.0);
    if (sum <= 0 || (sum < total && !grow)) return;
    for (double& w : widths) w *= total / sum;
}

QByteArray PageSheet::finish() {
    m_painter.end();
    m_writer.reset();
    return m_buffer.data();
}

}  // namespace varel
