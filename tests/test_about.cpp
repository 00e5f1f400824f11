// The About screen through its real widgets, and the product's identity inside the program: its
// name and version, its icon and its pictures.

#include "artwork.h"
#include "screen_test_support.h"
#include "shared_rows.h"
#include "version.h"

#include <QTimer>

using namespace quorvex;
using namespace quorvex::testing;

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void aboutOpensWithTheFocusOnThePicture();
    void secondClickBringsTheSameWindow();
    void closeUnloadsOnlyTheAboutScreen();
    void aboutOutlivesTheMenuAndEndsTheApplicationLast_data();
    void aboutOutlivesTheMenuAndEndsTheApplicationLast();
    void resizingMovesNothing();
    void applicationKnowsItsNameAndVersion();
    void iconLoadsAtBothSizes_data();
    void iconLoadsAtBothSizes();
    void everyScreenShowsTheIcon();
    void picturesAreSharpAtEachRatio_data();
    void picturesAreSharpAtEachRatio();

private:
    WidgetRegistry registry_;
};

void TestAbout::initTestCase()
{
    configureApplication();
    setApplicationIcon();
}

void TestAbout::init()
{
    registry_.show(screens::frmQV);
}

void TestAbout::cleanup()
{
    unloadAll(registry_);
}

void TestAbout::aboutOpensWithTheFocusOnThePicture()
{
    clickButton(registry_, screens::frmQV, "Command9");
    QWidget* about = windowOf(registry_, screens::frmAbout);
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), QStringLiteral("About"));
    QVERIFY(QTest::qWaitForWindowActive(about));
    checkTabCycle(tabCycle("frmAbout"));
    QCOMPARE(captionOf(registry_, screens::frmAbout, "Label4"), QStringLiteral("Quorvex 1_0"));
    for (const char* label : {"Label1", "Label2", "Label3"}) {
        QVERIFY(!captionOf(registry_, screens::frmAbout, label).isEmpty());
    }
}

void TestAbout::secondClickBringsTheSameWindow()
{
    clickButton(registry_, screens::frmQV, "Command9");
    QWidget* first = windowOf(registry_, screens::frmAbout);
    clickButton(registry_, screens::frmQV, "Command9");
    QCOMPARE(windowOf(registry_, screens::frmAbout), first);
    QCOMPARE(visibleTopLevelWindows(), 2);
}

void TestAbout::closeUnloadsOnlyTheAboutScreen()
{
    clickButton(registry_, screens::frmQV, "Command9");
    auto* close = controlOf<QPushButton>(registry_, screens::frmAbout, "Command1");
    close->setFocus();
    QTest::keyClick(close, Qt::Key_Return);
    QCOMPARE(registry_.state(screens::frmAbout), ScreenState::Unloaded);
    QCOMPARE(registry_.state(screens::frmQV), ScreenState::Loaded);
}

void TestAbout::aboutOutlivesTheMenuAndEndsTheApplicationLast_data()
{
    QTest::addColumn<bool>("byCloseBox");
    QTest::newRow("Close") << false;
    QTest::newRow("close box") << true;
}

void TestAbout::aboutOutlivesTheMenuAndEndsTheApplicationLast()
{
    QFETCH(bool, byCloseBox);
    clickButton(registry_, screens::frmQV, "Command9");
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    watchdog.start(5000);
    QTimer::singleShot(0, [&] {
        clickButton(registry_, screens::frmQV, "Command4");
        QCOMPARE(registry_.state(screens::frmAbout), ScreenState::Loaded);
        QTimer::singleShot(0, [&] {
            if (byCloseBox) {
                windowOf(registry_, screens::frmAbout)->close();
            } else {
                clickButton(registry_, screens::frmAbout, "Command1");
            }
        });
    });
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(registry_.loadedCount(), 0);
}

void TestAbout::resizingMovesNothing()
{
    clickButton(registry_, screens::frmQV, "Command9");
    QWidget* about = windowOf(registry_, screens::frmAbout);
    const QRect close = controlOf(registry_, screens::frmAbout, "Command1")->geometry();
    about->resize(about->size() / 2);
    QTest::qWait(20);
    QCOMPARE(controlOf(registry_, screens::frmAbout, "Command1")->geometry(), close);
}

void TestAbout::applicationKnowsItsNameAndVersion()
{
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Quorvex"));
    QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.00.0020"));
    QCOMPARE(QString::fromLatin1(kDisplayVersion), QStringLiteral("1.00.0020"));
}

void TestAbout::iconLoadsAtBothSizes_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("16 x 16") << 16;
    QTest::newRow("32 x 32") << 32;
}

void TestAbout::iconLoadsAtBothSizes()
{
    QFETCH(int, size);
    const QIcon icon = applicationIcon();
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
    QCOMPARE(image.size(), QSize(size, size));
    // Drawn, not blank: the centre is opaque and the corner of the rounded tile is clear.
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
}

void TestAbout::everyScreenShowsTheIcon()
{
    for (std::size_t i = 0; i < kScreenTable.size(); ++i) {
        registry_.show(kScreenTable[i]);
        const QIcon icon = windowOf(registry_, kScreenTable[i])->windowIcon();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.cacheKey(), QApplication::windowIcon().cacheKey());
    }
}

void TestAbout::picturesAreSharpAtEachRatio_data()
{
    QTest::addColumn<Artwork>("artwork");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("ratio");
    const std::pair<Artwork, QSize> pictures[]{{Artwork::LargeBanner, {175, 101}},
                                               {Artwork::CalculatorBanner, {150, 101}},
                                               {Artwork::SmallImage, {100, 25}}};
    for (const auto& [artwork, size] : pictures) {
        for (const qreal ratio : {1.0, 2.0}) {
            QTest::addRow("%dx%d at %gx", size.width(), size.height(), ratio)
                << artwork << size << ratio;
        }
    }
}

void TestAbout::picturesAreSharpAtEachRatio()
{
    QFETCH(Artwork, artwork);
    QFETCH(QSize, size);
    QFETCH(qreal, ratio);
    QCOMPARE(artworkSize(artwork), size);
    const QPixmap pixmap = artworkPixmap(artwork, ratio);
    // Device pixels from the picture made for that ratio, not an upscaled 1x picture.
    QCOMPARE(pixmap.size(), size * ratio);
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), size);
}

QTEST_MAIN(TestAbout)

#include "test_about.moc"
