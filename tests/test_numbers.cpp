// The numeric conventions: reading a number, rounding, the text of a number, the constants and the
// sine and cosine.

#include "numbers.h"

#include <QString>
#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <utility>

using namespace quorvex;

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

std::u16string utf16(const QString& text)
{
    return std::u16string(QStringView(text).utf16(), static_cast<std::size_t>(text.size()));
}

// Same double, bit for bit (so 0 and -0 differ, and NaN equals NaN).
bool sameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Whether `value` is the true value rounded to a double, `truth`, or one of its two neighbours.
bool withinAnUlp(double value, double truth)
{
    return value == truth || value == std::nextafter(truth, -infinity) ||
           value == std::nextafter(truth, infinity);
}

} // namespace

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void constantsHaveTheirExactBits_data();
    void constantsHaveTheirExactBits();
    void valReadsTheLeadingNumber_data();
    void valReadsTheLeadingNumber();
    void valKeepsHugeTextsWhole();
    void roundWorksOnTheWrittenDecimal_data();
    void roundWorksOnTheWrittenDecimal();
    void numberTextShowsAtMostFifteenDigits_data();
    void numberTextShowsAtMostFifteenDigits();
    void roundedTextReadsBackToTheRoundedValue();
    void anglesUseTheDecimalPi_data();
    void anglesUseTheDecimalPi();
    void sinAndCosAreWithinAnUlpOfTheTruth_data();
    void sinAndCosAreWithinAnUlpOfTheTruth();
};

void TestNumbers::constantsHaveTheirExactBits_data()
{
    QTest::addColumn<double>("constant");
    QTest::addColumn<quint64>("bits");
    QTest::newRow("three-phase factor 1.732") << kThreePhaseFactor << quint64(0x3FFBB645A1CAC083);
    QTest::newRow("pi as the decimal 3.141592654") << kPiAsUsed << quint64(0x400921FB54524550);
    QTest::newRow("kilo divisor 1000") << kKiloDivisor << std::bit_cast<quint64>(1000.0);
    QTest::newRow("half turn 180 degrees") << kHalfTurnDegrees << std::bit_cast<quint64>(180.0);
}

void TestNumbers::constantsHaveTheirExactBits()
{
    QFETCH(double, constant);
    QFETCH(quint64, bits);
    QCOMPARE(std::bit_cast<quint64>(constant), bits);
}

void TestNumbers::valReadsTheLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("whole number") << "230" << 230.0;
    QTest::newRow("decimal") << "12.5" << 12.5;
    QTest::newRow("negative") << "-400" << -400.0;
    QTest::newRow("unit after the number is ignored") << "230V" << 230.0;
    QTest::newRow("letters after the number are ignored") << "30abc" << 30.0;
    QTest::newRow("trailing zero of the fraction") << "30.50" << 30.5;
    QTest::newRow("no leading number") << "abc" << 0.0;
    QTest::newRow("empty text") << "" << 0.0;
    QTest::newRow("only blanks") << "   " << 0.0;
    QTest::newRow("leading blanks are skipped") << "   42" << 42.0;
    QTest::newRow("leading tab and line break") << "\t\n7" << 7.0;
    QTest::newRow("leading no-break space") << QString(QChar(0x00A0)) + "8" << 8.0;
    QTest::newRow("plus sign") << "+5" << 5.0;
    QTest::newRow("Unicode minus sign") << QString(QChar(0x2212)) + "5" << -5.0;
    QTest::newRow("blank between sign and digits") << "- 5" << 0.0;
    QTest::newRow("two signs") << "--5" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("fraction without integer part") << ".5" << 0.5;
    QTest::newRow("integer with a bare full stop") << "5." << 5.0;
    QTest::newRow("full stop alone") << "." << 0.0;
    QTest::newRow("second full stop ends the number") << "1.2.3" << 1.2;
    QTest::newRow("comma is not a decimal separator") << "1,5" << 1.0;
    QTest::newRow("blank inside ends the number") << "1 000" << 1.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("upper-case exponent with sign") << "2.5E-3" << 0.0025;
    QTest::newRow("incomplete exponent is not read") << "1e" << 1.0;
    QTest::newRow("exponent sign without digits") << "1e+" << 1.0;
    QTest::newRow("exponent without mantissa") << "e5" << 0.0;
    QTest::newRow("hexadecimal prefix is not a radix") << "0x10" << 0.0;
    QTest::newRow("leading zeros") << "007" << 7.0;
    QTest::newRow("negative zero") << "-0" << -0.0;
    QTest::newRow("the largest double")
        << "1.7976931348623157e308" << std::numeric_limits<double>::max();
    QTest::newRow("beyond the largest double") << "1.7976931348623159e308" << infinity;
    QTest::newRow("overflow") << "1e999" << infinity;
    QTest::newRow("negative overflow") << "-1e999" << -infinity;
    QTest::newRow("overflow by the count of digits") << "1" + QString(400, '0') << infinity;
    QTest::newRow("underflow reads as zero") << "1e-999" << 0.0;
    QTest::newRow("negative underflow") << "-1e-999" << -0.0;
    QTest::newRow("smallest subnormal") << "4.9e-324" << std::numeric_limits<double>::denorm_min();
    QTest::newRow("leading zeros of a fraction against a large exponent")
        << "0." + QString(400, '0') + "1e400" << 0.1;
    QTest::newRow("huge exponent digits") << "1e" + QString(30, '9') << infinity;
    QTest::newRow("tiny exponent digits with zero mantissa") << "0e" + QString(30, '9') << 0.0;
    QTest::newRow("infinity is not a number") << "inf" << 0.0;
    QTest::newRow("NaN is not a number") << "nan" << 0.0;
    QTest::newRow("fullwidth digits are not digits") << QString::fromUtf8("\xEF\xBC\x95") << 0.0;
}

void TestNumbers::valReadsTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const std::string utf8 = text.toStdString();
    QVERIFY2(sameBits(Val(std::string_view(utf8)), expected), utf8.c_str());
    QVERIFY2(sameBits(Val(std::u16string_view(utf16(text))), expected), utf8.c_str());
}

void TestNumbers::valKeepsHugeTextsWhole()
{
    // A 100,000-digit number is read to its true value, not cut off.
    const QString digits = "0." + QString(99'999, '0') + "1e100000";
    QCOMPARE(Val(std::u16string_view(utf16(digits))), 1.0);
    const QString junk = QString(100'000, 'x');
    QCOMPARE(Val(std::u16string_view(utf16(junk))), 0.0);
}

void TestNumbers::roundWorksOnTheWrittenDecimal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");

    QTest::newRow("three-phase 415 V 20 A") << 14.3756 << 3 << 14.376;
    QTest::newRow("three-phase 230 V 5 A") << 1.9918 << 3 << 1.992;
    QTest::newRow("single-phase 1234.5678 V 1 A") << 1.2345678 << 3 << 1.235;
    QTest::newRow("real power 5.99982 kW") << 5.99982 << 3 << 6.0;
    QTest::newRow("small power rounds up") << 0.001732 << 3 << 0.002;
    QTest::newRow("smaller power rounds to zero") << 0.0001732 << 3 << 0.0;
    QTest::newRow("exact value unchanged") << 6.928 << 3 << 6.928;
    QTest::newRow("negative value") << -6.928 << 3 << -6.928;
    QTest::newRow("cosine of 30 degrees") << 0.8660254037 << 4 << 0.866;
    QTest::newRow("half rounds away from zero") << 2.5 << 0 << 3.0;
    QTest::newRow("negative half rounds away from zero") << -2.5 << 0 << -3.0;
    QTest::newRow("written half of 1.005 rounds up") << 1.005 << 2 << 1.01;
    QTest::newRow("written half at the third place") << 2.0005 << 3 << 2.001;
    QTest::newRow("written half of a thousandth") << 0.0005 << 3 << 0.001;
    QTest::newRow("just below half") << 0.00049999 << 3 << 0.0;
    QTest::newRow("carry through nines") << 9.9995 << 3 << 10.0;
    QTest::newRow("carry into a new digit") << 999.9996 << 3 << 1000.0;
    QTest::newRow("rounds to negative zero") << -0.0001 << 3 << -0.0;
    QTest::newRow("tiny negative cosine") << -2.05e-10 << 4 << -0.0;
    QTest::newRow("subnormal") << 1e-320 << 3 << 0.0;
    QTest::newRow("too large for a fraction") << 1e300 << 3 << 1e300;
    QTest::newRow("largest double")
        << std::numeric_limits<double>::max() << 3 << std::numeric_limits<double>::max();
    QTest::newRow("sixteen digits keep their integer part")
        << 1234567890123.4567 << 3 << 1234567890123.457;
    QTest::newRow("infinity unchanged") << infinity << 3 << infinity;
    QTest::newRow("zero unchanged") << 0.0 << 3 << 0.0;
}

void TestNumbers::roundWorksOnTheWrittenDecimal()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(double, expected);
    QVERIFY2(sameBits(Round(value, decimals), expected),
             qPrintable(QString::number(Round(value, decimals), 'g', 17)));
}

void TestNumbers::numberTextShowsAtMostFifteenDigits_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("three decimals") << 6.928 << "6.928";
    QTest::newRow("two decimals") << 1.15 << "1.15";
    QTest::newRow("whole number without decimals") << 4.0 << "4";
    QTest::newRow("no trailing zeros") << 1905.2 << "1905.2";
    QTest::newRow("no digit grouping") << 17320000.0 << "17320000";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero shows as zero") << -0.0 << "0";
    QTest::newRow("negative") << -6.928 << "-6.928";
    QTest::newRow("binary noise is hidden") << 0.1 + 0.2 << "0.3";
    QTest::newRow("a third") << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("fifteen digits in plain decimals") << 1e14 << "100000000000000";
    QTest::newRow("exponent form from 1E+15") << 1e15 << "1E+15";
    QTest::newRow("exponent form of a large value") << 1.5e300 << "1.5E+300";
    QTest::newRow("largest double reads back as a double")
        << std::numeric_limits<double>::max() << "1.79769313486231E+308";
    QTest::newRow("largest negative double")
        << std::numeric_limits<double>::lowest() << "-1.79769313486231E+308";
    QTest::newRow("largest fifteen-digit text") << 1.79769313486231e308 << "1.79769313486231E+308";
    QTest::newRow("a ten-thousandth in plain decimals") << 0.0001 << "0.0001";
    QTest::newRow("exponent form below a ten-thousandth") << 0.00001 << "1E-05";
    QTest::newRow("negative exponent form") << -0.000015 << "-1.5E-05";
    QTest::newRow("overflow") << infinity << "Overflow";
    QTest::newRow("negative overflow") << -infinity << "Overflow";
    QTest::newRow("overflow met as infinity times zero")
        << std::numeric_limits<double>::quiet_NaN() << "Overflow";
}

void TestNumbers::numberTextShowsAtMostFifteenDigits()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(numberText(value)), text);
}

void TestNumbers::roundedTextReadsBackToTheRoundedValue()
{
    // Over values spread across the double range: the text of a rounded value is short and reads
    // back to that value within one part in 10^14.
    for (int exponent = -320; exponent <= 308; exponent += 3) {
        for (const double mantissa : {1.0, 1.23456789012345678, 4.99999999, 9.87654321}) {
            for (const double sign : {1.0, -1.0}) {
                const double value = sign * mantissa * std::pow(10.0, exponent);
                if (!std::isfinite(value)) {
                    continue;
                }
                for (const int decimals : {3, 4}) {
                    const double rounded = Round(value, decimals);
                    const std::string text = numberText(rounded);
                    QVERIFY2(text.size() <= 25, text.c_str());
                    const double back = Val(text);
                    QVERIFY2(std::fabs(back - rounded) <= std::fabs(rounded) * 1e-14, text.c_str());
                }
            }
        }
    }
}

void TestNumbers::anglesUseTheDecimalPi_data()
{
    QTest::addColumn<double>("degrees");
    QTest::addColumn<bool>("sine");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("near");
    QTest::addColumn<double>("tolerance");

    QTest::newRow("cosine of 90 degrees is not zero")
        << 90.0 << false << "0" << -2.05e-10 << 0.01e-10;
    QTest::newRow("sine of 180 degrees is not zero")
        << 180.0 << true << "0" << -4.1e-10 << 0.01e-10;
    QTest::newRow("sine of 30 degrees is above a half")
        << 30.0 << true << "0.5" << 0.50000000006 << 0.5e-11;
    QTest::newRow("cosine of 60 degrees is below a half")
        << 60.0 << false << "0.5" << 0.49999999988 << 0.5e-11;
    QTest::newRow("cosine of 0 degrees is one") << 0.0 << false << "1" << 1.0 << 0.0;
}

void TestNumbers::anglesUseTheDecimalPi()
{
    QFETCH(double, degrees);
    QFETCH(bool, sine);
    QFETCH(QString, shown);
    QFETCH(double, near);
    QFETCH(double, tolerance);
    const double value = sine ? Sin(radians(degrees)) : Cos(radians(degrees));
    QVERIFY2(std::fabs(value - near) <= tolerance, qPrintable(QString::number(value, 'g', 17)));
    QCOMPARE(QString::fromStdString(numberText(Round(value, 4))), shown);
}

void TestNumbers::sinAndCosAreWithinAnUlpOfTheTruth_data()
{
    // The true sine and cosine of radians(degrees), the double, rounded to doubles (computed once
    // with mpmath at 3500 bits). The hard ones lie so near a multiple of pi/2 that over 60 leading
    // bits cancel in the reduction; 1e22 and 1e200 degrees come out wrong with a 64-bit pi.
    QTest::addColumn<double>("degrees");
    QTest::addColumn<double>("sine");
    QTest::addColumn<double>("cosine");

    QTest::newRow("a ten-millionth of a degree") << 1e-7 << 1.7453292522222223e-09 << 1.0;
    QTest::newRow("a thousandth of a degree")
        << 0.001 << 1.745329252133613e-05 << 0.99999999984769128;
    QTest::newRow("30 degrees") << 30.0 << 0.5000000000592083 << 0.86602540375025472;
    QTest::newRow("45 degrees") << 45.0 << 0.70710678125906257 << 0.70710678111403247;
    QTest::newRow("90 degrees") << 90.0 << 1.0 << -2.0510342851533115e-10;
    QTest::newRow("180 degrees") << 180.0 << -4.1020685703066231e-10 << -1.0;
    QTest::newRow("270 degrees") << 270.0 << -1.0 << 6.1531028554599354e-10;
    QTest::newRow("360 degrees") << 360.0 << 8.2041371406132461e-10 << 1.0;
    QTest::newRow("-30 degrees") << -30.0 << -0.5000000000592083 << 0.86602540375025472;
    QTest::newRow("-90 degrees") << -90.0 << -1.0 << -2.0510342851533115e-10;
    QTest::newRow("1000 degrees") << 1000.0 << -0.98480775261647635 << 0.17364817991123649;
    QTest::newRow("123456.789 degrees") << 123456.789 << -0.3941181050704714 << 0.91905980178422608;
    QTest::newRow("1e6 degrees") << 1e6 << -0.98480735727825808 << 0.17365042197073224;
    QTest::newRow("1e15 degrees") << 1e15 << 0.12373232873419515 << -0.99231563064682859;
    QTest::newRow("1e20 degrees") << 1e20 << -0.6862729059976499 << 0.72734414034454198;
    QTest::newRow("1e22 degrees") << 1e22 << -0.23479670908297282 << 0.97204449764596979;
    QTest::newRow("-1e22 degrees") << -1e22 << 0.23479670908297282 << 0.97204449764596979;
    QTest::newRow("1e200 degrees") << 1e200 << 0.42791648795905829 << -0.90381827782623714;
    QTest::newRow("1e300 degrees") << 1e300 << 0.20500728408305349 << 0.97876044743996993;
    QTest::newRow("-1e300 degrees") << -1e300 << -0.20500728408305349 << 0.97876044743996993;
    QTest::newRow("hard: 6e-19 from 29 pi/2")
        << 2609.9999996592046 << 1.0 << -6.1898063658835771e-19;
    QTest::newRow("hard: 6e-19 from -29 pi/2")
        << -2609.9999996592046 << -1.0 << -6.1898063658835771e-19;
    QTest::newRow("hard: 4e-17 from 204551 pi/2")
        << 18409589.997596208 << -1.0 << -4.4296008345961293e-17;
    QTest::newRow("hard: 2e-18 from 9206271 pi/2")
        << 828564389.891812 << -1.0 << -1.6985038298986004e-18;
    QTest::newRow("hard: 9e-19 from a multiple of pi/2 near 1e256")
        << 6.095552047332852e+257 << -9.3743318485092553e-19 << -1.0;
    QTest::newRow("1e308 degrees is beyond the double range in radians")
        << 1e308 << std::nan("") << std::nan("");
    QTest::newRow("infinity") << infinity << std::nan("") << std::nan("");
    QTest::newRow("NaN") << std::nan("") << std::nan("") << std::nan("");
}

void TestNumbers::sinAndCosAreWithinAnUlpOfTheTruth()
{
    QFETCH(double, degrees);
    QFETCH(double, sine);
    QFETCH(double, cosine);
    const double x = radians(degrees);
    for (const auto& [value, truth] : {std::pair{Sin(x), sine}, std::pair{Cos(x), cosine}}) {
        QVERIFY2(std::isnan(truth) ? std::isnan(value) : withinAnUlp(value, truth),
                 qPrintable(QString::number(value, 'g', 17)));
    }
}

QTEST_APPLESS_MAIN(TestNumbers)

#include "test_numbers.moc"
