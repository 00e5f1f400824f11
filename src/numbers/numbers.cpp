#include "numbers.h"

#include "decimal_parse.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <type_traits>

namespace quorvex {
namespace {

// Non-ASCII characters the reader accepts, in UTF-8 and as UTF-16 code units.
constexpr std::string_view kNoBreakSpaceUtf8 = "\xC2\xA0";
constexpr std::string_view kMinusSignUtf8 = "\xE2\x88\x92";
constexpr char16_t kNoBreakSpace = 0x00A0;
constexpr char16_t kMinusSign = 0x2212;

bool isAsciiDigit(char32_t c)
{
    return c >= '0' && c <= '9';
}

// Length in code units of the blank at `pos`, or 0 when there is none.
template <typename Char> std::size_t blankAt(std::basic_string_view<Char> text, std::size_t pos)
{
    const Char c = text[pos];
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
        return 1;
    }
    if constexpr (std::is_same_v<Char, char>) {
        return text.substr(pos).starts_with(kNoBreakSpaceUtf8) ? kNoBreakSpaceUtf8.size() : 0;
    } else {
        return c == kNoBreakSpace ? 1 : 0;
    }
}

// Length in code units of a minus sign at `pos` (ASCII or U+2212), or 0.
template <typename Char> std::size_t minusAt(std::basic_string_view<Char> text, std::size_t pos)
{
    if (text[pos] == '-') {
        return 1;
    }
    if constexpr (std::is_same_v<Char, char>) {
        return text.substr(pos).starts_with(kMinusSignUtf8) ? kMinusSignUtf8.size() : 0;
    } else {
        return text[pos] == kMinusSign ? 1 : 0;
    }
}

// Where the leading number lies in a text, found by the grammar documented at `Val`.
struct LeadingNumber
{
    std::size_t begin = 0; // first digit or full stop
    std::size_t end = 0;   // one past the last character of the number
    bool negative = false;
    // Decimal exponent of the first non-zero digit (the e of d.ddd x 10^e), saturated; only
    // meaningful when `hasNonZeroDigit`. It tells an overflow from an underflow.
    std::int64_t leadingExponent = 0;
    bool hasNonZeroDigit = false;
};

constexpr std::int64_t kExponentLimit = 1'000'000'000;

template <typename Char>
std::optional<LeadingNumber> findLeadingNumber(std::basic_string_view<Char> text)
{
    const std::size_t size = text.size();
    std::size_t pos = 0;
    while (pos < size) {
        const std::size_t blank = blankAt(text, pos);
        if (blank == 0) {
            break;
        }
        pos += blank;
    }

    LeadingNumber number;
    if (pos < size && text[pos] == '+') {
        ++pos;
    } else if (pos < size) {
        if (const std::size_t minus = minusAt(text, pos); minus != 0) {
            number.negative = true;
            pos += minus;
        }
    }

    number.begin = pos;
    std::int64_t integerDigitsAfterLeadingZeros = 0;
    std::int64_t fractionZerosBeforeFirstNonZero = 0;
    bool anyDigit = false;
    while (pos < size && isAsciiDigit(text[pos])) {
        anyDigit = true;
        if (text[pos] != '0' || number.hasNonZeroDigit) {
            number.hasNonZeroDigit = true;
            integerDigitsAfterLeadingZeros =
                std::min(integerDigitsAfterLeadingZeros + 1, kExponentLimit);
        }
        ++pos;
    }
    if (pos < size && text[pos] == '.') {
        ++pos;
        while (pos < size && isAsciiDigit(text[pos])) {
            anyDigit = true;
            if (!number.hasNonZeroDigit) {
                if (text[pos] == '0') {
                    fractionZerosBeforeFirstNonZero =
                        std::min(fractionZerosBeforeFirstNonZero + 1, kExponentLimit);
                } else {
                    number.hasNonZeroDigit = true;
                }
            }
            ++pos;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    number.end = pos;

    std::int64_t exponent = 0;
    if (pos < size && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exponentPos = pos + 1;
        bool exponentNegative = false;
        if (exponentPos < size && (text[exponentPos] == '+' || text[exponentPos] == '-')) {
            exponentNegative = text[exponentPos] == '-';
            ++exponentPos;
        }
        if (exponentPos < size && isAsciiDigit(text[exponentPos])) {
            while (exponentPos < size && isAsciiDigit(text[exponentPos])) {
                exponent = std::min(exponent * 10 + (text[exponentPos] - '0'), kExponentLimit);
                ++exponentPos;
            }
            number.end = exponentPos;
            if (exponentNegative) {
                exponent = -exponent;
            }
        }
    }

    number.leadingExponent = integerDigitsAfterLeadingZeros > 0
                                 ? integerDigitsAfterLeadingZeros - 1 + exponent
                                 : -(fractionZerosBeforeFirstNonZero + 1) + exponent;
    return number;
}

double parseAscii(const char* first, const char* last, const LeadingNumber& number)
{
    const ParsedDecimal parsed = parseDecimal(first, last);
    double magnitude = parsed.value;
    if (parsed.outOfRange) {
        // The standard reader reports both ends of the range the same way: the position of the
        // first significant digit tells which one was passed.
        magnitude = number.hasNonZeroDigit && number.leadingExponent > 0
                        ? std::numeric_limits<double>::infinity()
                        : 0.0;
    }
    return number.negative ? -magnitude : magnitude;
}

template <typename Char> double readNumber(std::basic_string_view<Char> text)
{
    const std::optional<LeadingNumber> number = findLeadingNumber(text);
    if (!number) {
        return 0;
    }
    const auto digits = text.substr(number->begin, number->end - number->begin);
    if constexpr (std::is_same_v<Char, char>) {
        return parseAscii(digits.data(), digits.data() + digits.size(), *number);
    } else {
        // The number is ASCII by construction: narrowing each code unit is exact.
        std::string ascii(digits.size(), '\0');
        std::transform(digits.begin(), digits.end(), ascii.begin(),
                       [](char16_t c) { return static_cast<char>(c); });
        return parseAscii(ascii.data(), ascii.data() + ascii.size(), *number);
    }
}

// The shortest decimal that reads back to a finite, non-zero double: its significant digits and
// the decimal exponent of the first of them, so that value = 0.d1d2...dn x 10^(pointPosition).
struct ShortestDecimal
{
    std::array<char, 17> digits{};
    int digitCount = 0;
    int pointPosition = 0;
};

ShortestDecimal shortestDecimal(double magnitude)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific);
    // The form is d[.ddd]e[+-]xx.
    ShortestDecimal decimal;
    const char* p = buffer.data();
    for (; p != result.ptr && *p != 'e'; ++p) {
        if (*p != '.') {
            decimal.digits[decimal.digitCount++] = *p;
        }
    }
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), result.ptr, exponent);
    decimal.pointPosition = exponent + 1;
    return decimal;
}

} // namespace

double Val(std::string_view text)
{
    return readNumber(text);
}

double Val(std::u16string_view text)
{
    return readNumber(text);
}

double Round(double value, int decimals)
{
    assert(decimals >= 0 && decimals <= 20);
    if (!std::isfinite(value) || value == 0) {
        return value;
    }
    const bool negative = std::signbit(value);
    const ShortestDecimal decimal = shortestDecimal(std::fabs(value));

    // Digits kept: those whose place is at least 10^-decimals.
    const int kept = decimal.pointPosition + decimals;
    if (kept >= decimal.digitCount) {
        return value;
    }
    const double zero = negative ? -0.0 : 0.0;
    if (kept < 0) {
        return zero;
    }

    // The kept digits as a whole number of units of 10^-decimals, rounded half away from zero.
    std::array<char, 20> units{};
    int unitCount = 0;
    units[unitCount++] = '0'; // room for a carry out of the first digit
    for (int i = 0; i < kept; ++i) {
        units[unitCount++] = decimal.digits[i];
    }
    if (decimal.digits[kept] >= '5') {
        int i = unitCount - 1;
        while (units[i] == '9') {
            units[i--] = '0';
        }
        ++units[i];
    }

    std::array<char, 32> text{};
    char* out = std::copy(units.data(), units.data() + unitCount, text.data());
    *out++ = 'e';
    out = std::to_chars(out, text.data() + text.size(), -decimals).ptr;
    const double rounded = parseDecimal(text.data(), out).value;
    if (rounded == 0) {
        return zero;
    }
    return negative ? -rounded : rounded;
}

std::string numberText(double value)
{
    if (!std::isfinite(value)) {
        return std::string(kOverflowText);
    }
    if (value == 0) {
        return "0";
    }
    // Above the largest 15-digit decimal below the largest double, rounding to 15 digits would
    // name a number beyond the double range, which would read back as an overflow.
    constexpr double largestText = 1.79769313486231e308;
    if (std::fabs(value) > largestText) {
        return value < 0 ? "-1.79769313486231E+308" : "1.79769313486231E+308";
    }
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    std::string text(buffer.data(), result.ptr);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

} // namespace quorvex
