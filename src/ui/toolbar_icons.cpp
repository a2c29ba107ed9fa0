#include "ui/toolbar_icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <map>

namespace varel {

namespace {

constexpr qreal kUnit = 24;  // icons are drawn on a 24 x 24 grid and scaled

void Page(QPainter& p) {
    QPainterPath page;
    page.moveTo(5, 2.5);
    page.lineTo(14.5, 2.5);
    page.lineTo(19.5, 7.5);
    page.lineTo(19.5, 21.5);
    page.lineTo(5, 21.5);
    page.closeSubpath();
    p.setPen(QPen(QColor(0x3A, 0x5A, 0x8C), 1.2));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setBrush(QColor(0xD8, 0xE4, 0xF4));
    p.drawPolygon(QPolygonF({{14.5, 2.5}, {14.5, 7.5}, {19.5, 7.5}}));
}

void Folder(QPainter& p) {
    p.setPen(QPen(QColor(0x9A, 0x6A, 0x10), 1.2));
    p.setBrush(QColor(0xF2, 0xC1, 0x4E));
    p.drawPath([] {
        QPainterPath back;
        back.moveTo(2.5, 6);
        back.lineTo(9, 6);
        back.lineTo(11, 8);
        back.lineTo(20.5, 8);
        back.lineTo(20.5, 19.5);
        back.lineTo(2.5, 19.5);
        back.closeSubpath();
        return back;
    }());
    p.setBrush(QColor(0xFB, 0xD8, 0x7A));
    p.drawPolygon(QPolygonF({{5, 11}, {22.5, 11}, {20.5, 19.5}, {2.5, 19.5}}));
}

void Disk(QPainter& p) {
    p.setPen(QPen(QColor(0x1F, 0x3F, 0x72), 1.2));
    p.setBrush(QColor(0x3D, 0x6F, 0xB6));
    p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 3.5, 10, 6.5));
    p.setBrush(QColor(0xE6, 0xEC, 0xF5));
    p.drawRect(QRectF(6.5, 13.5, 11, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1F, 0x3F, 0x72));
    p.drawRect(QRectF(13.5, 4.5, 2, 4));
}

// A handheld radio on the left half of the grid.
void Radio(QPainter& p, qreal left) {
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(left + 3, 6.5), QPointF(left + 3, 1.5));
    p.setBrush(QColor(0x3A, 0x3A, 0x3A));
    p.drawRoundedRect(QRectF(left + 1.5, 6.5, 9, 15), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9F, 0xD8, 0xA8));
    p.drawRect(QRectF(left + 3.2, 8.5, 5.6, 3.5));
    p.setBrush(QColor(0x88, 0x88, 0x88));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 2; ++col)
            p.drawEllipse(QRectF(left + 3.3 + col * 3, 13.5 + row * 2.4, 1.6, 1.6));
}

// An arrow across the right half, pointing towards the radio or away from it.
void Arrow(QPainter& p, bool towardsRadio, const QColor& color) {
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    QPolygonF arrow({{0, -2}, {5, -2}, {5, -5}, {10, 0}, {5, 5}, {5, 2}, {0, 2}});
    QTransform t;
    if (towardsRadio)
        t.translate(23, 14).scale(-1, 1);
    else
        t.translate(13, 14);
    p.drawPolygon(t.map(arrow));
}

void Badge(QPainter& p, const QColor& color, const QString& text) {
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRoundedRect(QRectF(2, 4, 20, 16), 4, 4);
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(text.size() > 1 ? 9 : 12);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(2, 4, 20, 16), Qt::AlignCenter, text);
}

struct Drawing {
    const char* key;
    void (*draw)(QPainter&);
};

const Drawing kDrawings[] = {
    {"TNew", Page},
    {"TOpen", Folder},
    {"TSave", Disk},
    {"TRead",
     [](QPainter& p) {
         Radio(p, 0);
         Arrow(p, false, QColor(0x2E, 0x9E, 0x4A));
     }},
    {"TWrite",
     [](QPainter& p) {
         Radio(p, 0);
         Arrow(p, true, QColor(0xD9, 0x5B, 0x1E));
     }},
    {"TAnMa", [](QPainter& p) { Badge(p, QColor(0xC0, 0x39, 0x2B), "F"); }},
    {"TDebug", [](QPainter& p) { Badge(p, QColor(0x7D, 0x3C, 0x98), "D"); }},
    {"TFMMa", [](QPainter& p) { Badge(p, QColor(0x1A, 0x7F, 0x8E), "FM"); }},
    {"Program", [](QPainter& p) { Radio(p, 6.5); }},
};

const int kSizes[] = {16, 24, 32, 48, 64};

// Draws an icon when a size of it is first asked for, not when it is made: building the
// windows then costs nothing, and an icon that is never shown (a hidden service button) is
// never drawn. Each size is drawn once; other modes (disabled ...) are derived from it by the
// style, as for an icon made of pixmaps.
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(const Drawing& drawing) : m_drawing(&drawing) {}

    QIconEngine* clone() const override { return new DrawnIconEngine(*this); }
    QString key() const override { return "varel-drawn"; }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int size : kSizes) sizes << QSize(size, size);
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = qMin(size.width(), size.height());
        return {side, side};
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const int side = qMin(size.width(), size.height());
        if (side <= 0) return {};
        QPixmap& drawn = m_drawn[side];
        if (drawn.isNull()) drawn = draw(side);
        if (mode == QIcon::Normal || mode == QIcon::Active) return drawn;
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, drawn, &option);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        // Drawn at the device's pixels, so that a high-density screen shows it sharp.
        const qreal ratio =
            painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1;
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

private:
    QPixmap draw(int side) const {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(side / kUnit, side / kUnit);
        m_drawing->draw(p);
        return pixmap;
    }

    const Drawing* m_drawing;
    std::map<int, QPixmap> m_drawn;
};

}  // namespace

QIcon ToolbarIcon(const QString& key) {
    for (const Drawing& drawing : kDrawings)
        if (key == QLatin1String(drawing.key)) return QIcon(new DrawnIconEngine(drawing));
    return QIcon();
}

}  // namespace varel
