#include "artwork.h"

namespace quorvex {
namespace {

QString nameOf(Artwork artwork)
{
    switch (artwork) {
    case Artwork::LargeBanner:
        return QStringLiteral("large-banner");
    case Artwork::CalculatorBanner:
        return QStringLiteral("calculator-banner");
    case Artwork::SmallImage:
        return QStringLiteral("small-image");
    case Artwork::None:
        break;
    }
    return {};
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
    if (artwork == Artwork::None) {
        return {};
    }
    // Any ratio above 1 takes the picture drawn at twice the size: scaling it down stays sharp.
    const int scale = devicePixelRatio > 1.0 ? 2 : 1;
    QPixmap pixmap(QStringLiteral(":/artwork/%1%2.png")
                       .arg(nameOf(artwork), scale == 2 ? QStringLiteral("@2x") : QString()));
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        icon.addFile(QStringLiteral(":/icons/quorvex-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace quorvex
