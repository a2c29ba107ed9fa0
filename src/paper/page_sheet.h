#pragma once
// The drawing surface the paper's documents share: a PDF writer on a buffer with the page size,
// the fonts (every one the embeddable TrueType family the package depends on), millimetres in
// device units, and the header and footer of a page.
#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "paper/paper_pdf.h"

namespace varel {

/// The family every text of the paper is set in: WenQuanYi Micro Hei, loaded from its file when
/// the font database does not list it; the default family when it is not installed.
QString PaperFontFamily();

/// A PDF document being drawn, page by page.
class PageSheet {
public:
    /// Starts a document for the job on its paper; `title` goes into the document's metadata.
    PageSheet(const PaperJob& job, const QString& title);
    ~PageSheet();

    /// The painter on the current page.
    QPainter& painter() { return m_painter; }
    /// Millimetres in device units.
    double mm(double millimetres) const;
    /// The paper's font at a size in points.
    QFont font(double points, bool bold = false) const;
    /// The measures of a font on the page.
    QFontMetricsF metrics(const QFont& f) const;
    /// The whole page inside the margins.
    QRectF area() const;
    /// The part of a page between its header and its footer.
    QRectF body() const;
    /// Draws the header (file name, part title, date, fingerprint) and the footer (page of
    /// pages) of the current page.
    void drawFrame(const QString& partTitle, int page, int pages);
    /// Widths that hold each column's header and cells in font f, with a little room.
    std::vector<double> columnWidths(const QFont& f, const QStringList& header,
                                     const std::vector<QStringList>& rows) const;
    /// Draws cells side by side in the given widths from `left`, in the row from `top` of
    /// `height`, each shortened with an ellipsis where it would not fit.
    void drawRow(const QStringList& cells, const std::vector<double>& widths, double left,
                 double top, double height);
    /// Starts the next page.
    void newPage() { m_writer->newPage(); }
    /// Ends the document and gives its bytes.
    QByteArray finish();

private:
    const PaperJob& m_job;
    QBuffer m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    QString m_family;
};

/// Scales the widths so that they add up to `total` when they add up to more, or, with grow,
/// to less.
void FitWidths(std::vector<double>& widths, double total, bool grow);

}  // namespace varel
