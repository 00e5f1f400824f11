// Draws Quorvex's pictures and icons and writes them where the build picks them up:
//   resources/artwork/  the two banners and the menu's small image, at 1x and 2x;
//   resources/icons/    the application icon at 16, 32 and 64 pixels, and as SVG; for the browser
//                       version's manifest at 192 and 512 pixels, and maskable (full bleed) at 512;
//   packaging/windows/  the icon group for a Windows build (.ico: 32 x 32 monochrome, 32 x 32 and
//                       16 x 16 with 16 colours).
// Usage: quorvex_make_artwork SOURCE_FOLDER. The outputs are committed; run it again after
// changing a drawing.

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <numbers>
#include <vector>

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

// Points of a sine wave across `area`, `cycles` periods long, starting at `phase` radians.
std::vector<QPointF> wavePoints(const QRectF& area, double cycles, double phase)
{
    constexpr int steps = 120;
    std::vector<QPointF> points;
    for (int step = 0; step <= steps; ++step) {
        const double t = static_cast<double>(step) / steps;
        points.emplace_back(area.left() + t * area.width(),
                            area.center().y() -
                                std::sin(phase + t * cycles * 2 * std::numbers::pi) *
                                    area.height() / 2);
    }
    return points;
}

void paintWave(QPainter& painter, const QRectF& area, double cycles, double phase,
               const QColor& colour, qreal width)
{
    const std::vector<QPointF> points = wavePoints(area, cycles, phase);
    QPainterPath path(points.front());
    for (const QPointF& point : points) {
        path.lineTo(point);
    }
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

// The power triangle: real power along the base, reactive power up the side, apparent power on
// the hypotenuse.
void paintPowerTriangle(QPainter& painter, const QPointF& origin, qreal base, qreal rise,
                        qreal width)
{
    const QPointF corner(origin.x() + base, origin.y());
    const QPointF tip(origin.x() + base, origin.y() - rise);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kPaper, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(origin, corner);
    painter.setPen(QPen(kCopper, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(corner, tip);
    painter.setPen(QPen(kAmber, width * 1.3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(origin, tip);
}

void paintName(QPainter& painter, const QRectF& area, int pixelSize, Qt::Alignment alignment)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Bold);
    painter.setFont(font);
    painter.setPen(kPaper);
    painter.drawText(area, alignment, QStringLiteral("Quorvex"));
}

void paintBanner(QPainter& painter, const QSizeF& size)
{
    paintBackground(painter, QRectF(QPointF(0, 0), size));
    const QRectF waveBand(6, 8, size.width() - 12, 34);
    paintWave(painter, waveBand, 1.5, 0, kAmber, 2.0);
    paintWave(painter, waveBand, 1.5, -std::numbers::pi / 3, kCopper, 1.2);
    paintPowerTriangle(painter, QPointF(10, size.height() - 14), 40, 28, 1.5);
    paintName(painter, QRectF(54, size.height() - 40, size.width() - 58, 32), 17,
              Qt::AlignRight | Qt::AlignVCenter);
}

void paintSmallImage(QPainter& painter, const QSizeF& size)
{
    paintBackground(painter, QRectF(QPointF(0, 0), size));
    paintWave(painter, QRectF(4, 5, 26, 15), 1.0, 0, kAmber, 1.6);
    paintName(painter, QRectF(32, 0, size.width() - 34, size.height()), 13,
              Qt::AlignLeft | Qt::AlignVCenter);
}

// The icon, drawn in a 32 x 32 box: a rounded tile with one cycle of a sine wave above the power
// triangle. The SVG below repeats the same geometry.
constexpr QRectF kIconTile(2, 2, 28, 28);
constexpr qreal kIconCorner = 6;
constexpr QRectF kIconWave(6, 5, 20, 10);
constexpr QPointF kIconTriangleOrigin(7, 26);
constexpr qreal kIconTriangleBase = 18;
constexpr qreal kIconTriangleRise = 7;

void paintIconTile(QPainter& painter)
{
    QLinearGradient sky(kIconTile.topLeft(), kIconTile.bottomRight());
    sky.setColorAt(0, kNight);
    sky.setColorAt(1, kDusk);
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRoundedRect(kIconTile, kIconCorner, kIconCorner);
}

void paintIcon(QPainter& painter, const QSizeF&)
{
    paintIconTile(painter);
    paintWave(painter, kIconWave, 1.0, 0, kAmber, 2.4);
    paintPowerTriangle(painter, kIconTriangleOrigin, kIconTriangleBase, kIconTriangleRise, 1.8);
}

// The maskable icon, for a launcher that cuts its own shape out of it: the sky to every edge, and
// the wave and triangle shrunk into the middle circle (80% of the side) that every shape keeps.
void paintMaskableIcon(QPainter& painter, const QSizeF& size)
{
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, kNight);
    sky.setColorAt(1, kDusk);
    painter.fillRect(QRectF(QPointF(0, 0), size), sky);
    painter.translate(size.width() / 2, size.height() / 2);
    painter.scale(0.75, 0.75);
    painter.translate(-size.width() / 2, -size.height() / 2);
    paintWave(painter, kIconWave, 1.0, 0, kAmber, 2.4);
    paintPowerTriangle(painter, kIconTriangleOrigin, kIconTriangleBase, kIconTriangleRise, 1.8);
}

// At 16 pixels the triangle would blur into the wave: the small icon keeps a bolder wave alone.
void paintSmallIcon(QPainter& painter, const QSizeF&)
{
    painter.scale(0.5, 0.5);
    paintIconTile(painter);
    paintWave(painter, QRectF(7, 8, 18, 16), 1.0, 0, kAmber, 4.0);
}

QString svgColour(const QColor& colour)
{
    return colour.name();
}

QByteArray iconSvg()
{
    QString wave;
    for (const QPointF& point : wavePoints(kIconWave, 1.0, 0)) {
        wave += QStringLiteral("%1,%2 ").arg(point.x(), 0, 'f', 2).arg(point.y(), 0, 'f', 2);
    }
    const QPointF o = kIconTriangleOrigin;
    const QPointF corner(o.x() + kIconTriangleBase, o.y());
    const QPointF tip(corner.x(), o.y() - kIconTriangleRise);
    const auto line = [](QPointF a, QPointF b, const QColor& colour, double width) {
        return QStringLiteral("  <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" "
                              "stroke-width=\"%6\" stroke-linecap=\"round\"/>\n")
            .arg(a.x())
            .arg(a.y())
            .arg(b.x())
            .arg(b.y())
            .arg(svgColour(colour))
            .arg(width);
    };
    QString svg =
        QStringLiteral(
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" "
            "viewBox=\"0 0 32 32\">\n"
            "  <defs>\n"
            "    <linearGradient id=\"sky\" x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" "
            "gradientUnits=\"userSpaceOnUse\">\n"
            "      <stop offset=\"0\" stop-color=\"%5\"/>\n"
            "      <stop offset=\"1\" stop-color=\"%6\"/>\n"
            "    </linearGradient>\n"
            "  </defs>\n"
            "  <rect x=\"%1\" y=\"%2\" width=\"%7\" height=\"%8\" rx=\"%9\" fill=\"url(#sky)\"/>\n")
            .arg(kIconTile.left())
            .arg(kIconTile.top())
            .arg(kIconTile.right())
            .arg(kIconTile.bottom())
            .arg(svgColour(kNight), svgColour(kDusk))
            .arg(kIconTile.width())
            .arg(kIconTile.height())
            .arg(kIconCorner);
    svg +=
        QStringLiteral("  <polyline points=\"%1\" fill=\"none\" stroke=\"%2\" stroke-width=\"2.4\" "
                       "stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n")
            .arg(wave.trimmed(), svgColour(kAmber));
    svg += line(o, corner, kPaper, 1.8);
    svg += line(corner, tip, kCopper, 1.8);
    svg += line(o, tip, kAmber, 1.8 * 1.3);
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

using Painting = std::function<void(QPainter&, const QSizeF&)>;

QImage render(const Painting& paint, QSize logicalSize, int scale)
{
    QImage image(logicalSize * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    paint(painter, logicalSize);
    painter.end();
    return image;
}

// The 16 colours of the classic 4-bit palette, for the icon group.
constexpr std::array<QRgb, 16> kSixteenColours{
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff};

int nearestColour(QRgb pixel, int bits)
{
    if (bits == 1) {
        return qGray(pixel) >= 128 ? 1 : 0;
    }
    int best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (int i = 0; i < 16; ++i) {
        const long dr = qRed(pixel) - qRed(kSixteenColours[i]);
        const long dg = qGreen(pixel) - qGreen(kSixteenColours[i]);
        const long db = qBlue(pixel) - qBlue(kSixteenColours[i]);
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void appendLittleEndian(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// One icon image as a device-independent bitmap: header, palette, colour rows and the mask rows,
// bottom row first, each row padded to four bytes.
QByteArray iconBitmap(const QImage& source, int bits)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int size = image.width();
    QByteArray out;
    appendLittleEndian(out, 40, 4);       // header size
    appendLittleEndian(out, size, 4);     // width
    appendLittleEndian(out, size * 2, 4); // height of colour and mask together
    appendLittleEndian(out, 1, 2);        // planes
    appendLittleEndian(out, bits, 2);
    appendLittleEndian(out, 0, 4); // no compression
    const int colourRow = ((size * bits + 31) / 32) * 4;
    const int maskRow = ((size + 31) / 32) * 4;
    appendLittleEndian(out, (colourRow + maskRow) * size, 4);
    appendLittleEndian(out, 0, 4);
    appendLittleEndian(out, 0, 4);
    appendLittleEndian(out, 1u << bits, 4);
    appendLittleEndian(out, 0, 4);
    for (int i = 0; i < (1 << bits); ++i) {
        const QRgb colour = bits == 1 ? (i ? 0xffffffff : 0xff000000) : kSixteenColours[i];
        out.append(static_cast<char>(qBlue(colour)));
        out.append(static_cast<char>(qGreen(colour)));
        out.append(static_cast<char>(qRed(colour)));
        out.append('\0');
    }
    const auto transparent = [&](int x, int y) { return qAlpha(image.pixel(x, y)) < 128; };
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(colourRow, '\0');
        for (int x = 0; x < size; ++x) {
            const int index = transparent(x, y) ? 0 : nearestColour(image.pixel(x, y), bits);
            const int bit = x * bits;
            row[bit / 8] = static_cast<char>(row[bit / 8] | (index << (8 - bits - bit % 8)));
        }
        out.append(row);
    }
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < size; ++x) {
            if (transparent(x, y)) {
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out.append(row);
    }
    return out;
}

QByteArray iconGroup(const QImage& icon32, const QImage& icon16)
{
    const std::array<std::pair<QByteArray, int>, 3> images{{
        {iconBitmap(icon32, 1), 32},
        {iconBitmap(icon32, 4), 32},
        {iconBitmap(icon16, 4), 16},
    }};
    const std::array<int, 3> bits{1, 4, 4};
    QByteArray out;
    appendLittleEndian(out, 0, 2); // reserved
    appendLittleEndian(out, 1, 2); // icon
    appendLittleEndian(out, images.size(), 2);
    quint32 offset = 6 + 16 * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto& [bitmap, size] = images[i];
        out.append(static_cast<char>(size));
        out.append(static_cast<char>(size));
        out.append(static_cast<char>(bits[i] == 1 ? 2 : 16)); // colours
        out.append('\0');
        appendLittleEndian(out, 1, 2);
        appendLittleEndian(out, bits[i], 2);
        appendLittleEndian(out, bitmap.size(), 4);
        appendLittleEndian(out, offset, 4);
        offset += bitmap.size();
    }
    for (const auto& [bitmap, size] : images) {
        out.append(bitmap);
    }
    return out;
}

bool write(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The large icons in 256 colours, those most used (the sky's steps and the strokes' own colours),
// each pixel as the nearest of them: a third of the bytes, the same to the eye. The site is held
// to a budget that they count against.
QImage withCommonColours(const QImage& image)
{
    std::map<QRgb, int> uses;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ++uses[image.pixel(x, y)];
        }
    }
    std::vector<std::pair<int, QRgb>> ranked;
    for (const auto& [colour, count] : uses) {
        ranked.emplace_back(-count, colour);
    }
    std::sort(ranked.begin(), ranked.end());
    QList<QRgb> palette;
    for (std::size_t i = 0; i < std::min<std::size_t>(ranked.size(), 256); ++i) {
        palette.append(ranked[i].second);
    }
    return image.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
}

// Saved with zlib's strongest compression: the large icons are served with every visit to the site.
bool save(const QImage& image, const QString& path)
{
    if (!image.save(path, "PNG", 0)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: quorvex_make_artwork SOURCE_FOLDER\n", stderr);
        return 2;
    }
    const QDir source(QString::fromLocal8Bit(argv[1]));
    bool ok = true;

    struct Picture
    {
        const char* name;
        QSize size;
        Painting paint;
    };
    const Picture pictures[]{
        {"large-banner", {175, 101}, paintBanner},
        {"calculator-banner", {150, 101}, paintBanner},
        {"small-image", {100, 25}, paintSmallImage},
    };
    for (const Picture& picture : pictures) {
        const QString base =
            source.filePath(QStringLiteral("resources/artwork/%1").arg(picture.name));
        ok &= save(render(picture.paint, picture.size, 1), base + QStringLiteral(".png"));
        ok &= save(render(picture.paint, picture.size, 2), base + QStringLiteral("@2x.png"));
    }

    // The icon is drawn in a 32 x 32 box and scaled for the other sizes.
    const QString icons = source.filePath(QStringLiteral("resources/icons/quorvex"));
    const QImage icon16 = render(paintSmallIcon, {16, 16}, 1);
    const QImage icon32 = render(paintIcon, {32, 32}, 1);
    const QImage icon64 = render(paintIcon, {32, 32}, 2);
    ok &= save(icon16, icons + QStringLiteral("-16.png"));
    ok &= save(icon32, icons + QStringLiteral("-32.png"));
    ok &= save(icon64, icons + QStringLiteral("-64.png"));
    ok &=
        save(withCommonColours(render(paintIcon, {32, 32}, 6)), icons + QStringLiteral("-192.png"));
    ok &= save(withCommonColours(render(paintIcon, {32, 32}, 16)),
               icons + QStringLiteral("-512.png"));
    ok &= save(withCommonColours(render(paintMaskableIcon, {32, 32}, 16)),
               icons + QStringLiteral("-maskable-512.png"));
    ok &= write(icons + QStringLiteral(".svg"), iconSvg());
    ok &= write(source.filePath(QStringLiteral("packaging/windows/quorvex.ico")),
                iconGroup(icon32, icon16));
    return ok ? 0 : 1;
}
