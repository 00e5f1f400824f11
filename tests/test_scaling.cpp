// The screens at high-DPI scale factors: run under QT_SCALE_FACTOR and QT_FONT_DPI, every screen
// keeps its proportions, its captions fit, its outlines stay one logical pixel and its pictures
// come from the 2x artwork.

#include "artwork.h"
#include "qt_values.h"
#include "screen_table.h"
#include "screen_test_support.h"

#include <QFontMetricsF>

#include <cmath>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

// The device pixel ratio the environment asks for.
qreal expectedRatio()
{
    qreal ratio = 1.0;
    if (const QByteArray factor = qgetenv("QT_SCALE_FACTOR"); !factor.isEmpty()) {
        ratio *= factor.toDouble();
    }
    if (const QByteArray dpi = qgetenv("QT_FONT_DPI"); !dpi.isEmpty()) {
        ratio *= dpi.toDouble() / 96.0;
    }
    return ratio;
}

bool isDark(QRgb pixel)
{
    return qGray(pixel) < 96;
}

} // namespace

class TestScaling : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void screen_data();
    void controlsKeepTheirTwipGeometry_data() { screen_data(); }
    void controlsKeepTheirTwipGeometry();
    void noStaticCaptionIsClipped_data() { screen_data(); }
    void noStaticCaptionIsClipped();
    void outlinesStayOneLogicalPixel_data() { screen_data(); }
    void outlinesStayOneLogicalPixel();
    void picturesComeFromTheMatchingArtwork_data() { screen_data(); }
    void picturesComeFromTheMatchingArtwork();

private:
    WidgetRegistry registry_;
};

void TestScaling::initTestCase()
{
    configureApplication();
    qInfo("device pixel ratio %g", expectedRatio());
}

void TestScaling::cleanup()
{
    unloadAll(registry_);
}

void TestScaling::screen_data()
{
    QTest::addColumn<ScreenId>("id");
    for (const ScreenId id : kScreenTable) {
        QTest::newRow((*id).name.data()) << id;
    }
}

void TestScaling::controlsKeepTheirTwipGeometry()
{
    QFETCH(ScreenId, id);
    registry_.show(id);
    const Screen& screen = *registry_.instance(id);
    QWidget* window = windowOf(screen);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->devicePixelRatioF(), expectedRatio());
    QCOMPARE(window->size(), pixelSize(screen.description().client));
    for (const ControlDescription& control : screen.description().controls) {
        QWidget* widget = widgetOf(screen, control.name);
        QCOMPARE(widget->geometry(), pixelRect(control.geometry));
        // Rendered at the full device resolution, not scaled up afterwards.
        const QPixmap rendered = widget->grab();
        QCOMPARE(rendered.devicePixelRatio(), expectedRatio());
        QVERIFY(std::abs(rendered.width() - widget->width() * expectedRatio()) <= 1.0);
    }
}

void TestScaling::noStaticCaptionIsClipped()
{
    QFETCH(ScreenId, id);
    registry_.show(id);
    const Screen& screen = *registry_.instance(id);
    for (const ControlDescription& control : screen.description().controls) {
        if (control.caption.empty()) {
            continue;
        }
        QWidget* widget = widgetOf(screen, control.name);
        const QFontMetricsF metrics(widget->font(), widget);
        const QString caption = qtText(control.caption);
        const QString where = qtText(control.name.text());
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            const QRectF inside = label->contentsRect();
            const QRectF needed = metrics.boundingRect(QRectF(0, 0, inside.width(), 10'000),
                                                       Qt::TextWordWrap, caption);
            QVERIFY2(needed.width() <= inside.width() && needed.height() <= inside.height(),
                     qPrintable(QStringLiteral("%1 needs %2x%3 in %4x%5")
                                    .arg(where)
                                    .arg(needed.width())
                                    .arg(needed.height())
                                    .arg(inside.width())
                                    .arg(inside.height())));
        } else {
            QVERIFY2(metrics.horizontalAdvance(caption) + 2 <= widget->width(), qPrintable(where));
        }
    }
}

void TestScaling::outlinesStayOneLogicalPixel()
{
    QFETCH(ScreenId, id);
    registry_.show(id);
    const Screen& screen = *registry_.instance(id);
    for (const ControlDescription& control : screen.description().controls) {
        if (control.kind != ControlKind::Shape) {
            continue;
        }
        // Across the left edge, half-way down: as many dark device pixels as one logical pixel
        // covers, give or take the antialiasing of a fractional ratio.
        const QImage image = widgetOf(screen, control.name)->grab().toImage();
        const int row = image.height() / 2;
        int dark = 0;
        for (int x = 0; x < std::min(image.width(), 8); ++x) {
            dark += isDark(image.pixel(x, row)) ? 1 : 0;
        }
        const qreal ratio = expectedRatio();
        QVERIFY2(dark >= std::floor(ratio) && dark <= std::ceil(ratio) + 1,
                 qPrintable(QStringLiteral("%1 dark pixels at %2x").arg(dark).arg(ratio)));
    }
}

void TestScaling::picturesComeFromTheMatchingArtwork()
{
    QFETCH(ScreenId, id);
    registry_.show(id);
    const Screen& screen = *registry_.instance(id);
    const qreal ratio = windowOf(screen)->devicePixelRatioF();
    for (const ControlDescription& control : screen.description().controls) {
        if (control.kind == ControlKind::PictureBox) {
            const QPixmap pixmap = artworkPixmap(control.picture, ratio);
            QCOMPARE(pixmap.devicePixelRatio(), ratio > 1.0 ? 2.0 : 1.0);
            QCOMPARE(pixmap.deviceIndependentSize().toSize(), artworkSize(control.picture));
        }
    }
}

QTEST_MAIN(TestScaling)

#include "test_scaling.moc"
