#include "artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

#include <cmath>
#include <numbers>

namespace quorvex {
namespace {

const QColor kNight(0x12, 0x2a, 0x4a);
const QColor kDusk(0x2b, 0x5d, 0x8c);
const QColor kAmber(0xff, 0xc1, 0x3b);
const QColor kCopper(0xf0, 0x7f, 0x4f);
const QColor kPaper(0xf4, 0xf7, 0xfb);

void paintBackground(QPainter& painter, const QRectF& area)
{
    QLinearGradient sky(area.topLeft(), area.bottomRight());
    sky.setColorAt(0, kNight);
    sky.setColorAt(1, kDusk);
    painter.fillRect(area, sky);
}

// A sine wave across `area`, `cycles` periods long, starting at `phase` radians.
void paintWave(QPainter& painter, const QRectF& area, double cycles, double phase,
               const QColor& colour, qreal width)
{
    QPainterPath path;
    constexpr int steps = 120;
    for (int step = 0; step <= steps; ++step) {
        const double t = static_cast<double>(step) / steps;
        const QPointF point(area.left() + t * area.width(),
                            area.center().y() -
                                std::sin(phase + t * cycles * 2 * std::numbers::pi) *
                                    area.height() / 2);
        step == 0 ? path.moveTo(point) : path.lineTo(point);
    }
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

// The power triangle: real power along the base, reactive power up the side, apparent power on
// the hypotenuse.
void paintPowerTriangle(QPainter& painter, const QPointF& origin, qreal base, qreal rise)
{
    const QPointF corner(origin.x() + base, origin.y());
    const QPointF tip(origin.x() + base, origin.y() - rise);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kPaper, 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(origin, corner);
    painter.setPen(QPen(kCopper, 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(corner, tip);
    painter.setPen(QPen(kAmber, 2.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(origin, tip);
}

void paintName(QPainter& painter, const QRectF& area, qreal pixelSize, Qt::Alignment alignment)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(pixelSize));
    font.setWeight(QFont::Bold);
    painter.setFont(font);
    painter.setPen(kPaper);
    painter.drawText(area, alignment, QStringLiteral("Quorvex"));
}

void paintBanner(QPainter& painter, const QSizeF& size)
{
    const QRectF area(QPointF(0, 0), size);
    paintBackground(painter, area);
    const QRectF waveBand(6, 8, size.width() - 12, 34);
    paintWave(painter, waveBand, 1.5, 0, kAmber, 2.0);
    paintWave(painter, waveBand, 1.5, -std::numbers::pi / 3, kCopper, 1.2);
    paintPowerTriangle(painter, QPointF(10, size.height() - 14), 40, 28);
    paintName(painter, QRectF(54, size.height() - 40, size.width() - 58, 32), 17,
              Qt::AlignRight | Qt::AlignVCenter);
}

void paintSmallImage(QPainter& painter, const QSizeF& size)
{
    const QRectF area(QPointF(0, 0), size);
    paintBackground(painter, area);
    paintWave(painter, QRectF(4, 5, 26, 15), 1.0, 0, kAmber, 1.6);
    paintName(painter, QRectF(32, 0, size.width() - 34, size.height()), 13,
              Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace

QSize artworkSize(Artwork artwork)
{
    switch (artwork) {
    case Artwork::LargeBanner:
        return {175, 101};
    case Artwork::CalculatorBanner:
        return {150, 101};
    case Artwork::SmallImage:
        return {100, 25};
    case Artwork::None:
        break;
    }
    return {};
}

QPixmap artworkPixmap(Artwork artwork, qreal devicePixelRatio)
{
    const QSize size = artworkSize(artwork);
    if (size.isEmpty()) {
        return {};
    }
    const QString key = QStringLiteral("quorvex-artwork-%1-%2")
                            .arg(static_cast<int>(artwork))
                            .arg(devicePixelRatio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) {
        return pixmap;
    }
    pixmap = QPixmap((QSizeF(size) * devicePixelRatio).toSize());
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (artwork == Artwork::SmallImage) {
        paintSmallImage(painter, size);
    } else {
        paintBanner(painter, size);
    }
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace quorvex
