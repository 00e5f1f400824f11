#pragma once

// The numeric conventions every calculator screen follows: reading a box with `Val`, rounding a
// result with `Round`, turning a number into label text, and the constants of the formulas. The
// unit is plain C++ with no widget dependency so that it can be tested, fuzzed and benchmarked on
// its own.
//
// Overflow is carried by IEEE infinity (and the NaN that infinity can produce, as in infinity times
// zero): a number typed beyond the double range reads as an infinity, every later product or
// quotient carries it, and the text conversion shows such a value as "Overflow". A result is
// therefore "Overflow" exactly when some step of its computation left the double range, and the
// other results of the same "Solve" are unaffected. The sine and cosine of an angle are `Sin` and
// `Cos` (trigonometry.h).

#include "trigonometry.h"

#include <string>
#include <string_view>

namespace quorvex {

// The three-phase factor: the decimal 1.732 exactly as written, not the square root of 3.
inline constexpr double kThreePhaseFactor = 1.732;
// Pi as the formulas use it: the decimal literal 3.141592654, about 4.1e-10 above pi.
inline constexpr double kPiAsUsed = 3.141592654;
// Watts to kilowatts (and VA to kVA, var to kvar) as the last step of every power.
inline constexpr double kKiloDivisor = 1000;
// Degrees in half a turn, for the degrees-to-radians conversion.
inline constexpr double kHalfTurnDegrees = 180;

// The text a result label shows for a value outside the double range.
inline constexpr std::string_view kOverflowText = "Overflow";

// Reads the number at the start of `text` by the leading-number rule; text without a leading
// number reads as 0. The grammar, in order:
//   - leading white space (space, tab, line breaks, no-break space) is skipped;
//   - an optional sign: '+', '-' or the Unicode minus sign U+2212;
//   - digits with at most one full stop as the decimal separator ("12.5", ".5" and "5." all
//     count), at least one digit in all;
//   - an optional exponent: 'e' or 'E', an optional sign and at least one digit; an incomplete
//     exponent ("1e", "1e+") is not part of the number.
// Anything after that is ignored, including blanks inside what looks like one number ("1 000" reads
// as 1). The separator is always the full stop, whatever the user's locale, so that a text the
// application writes always reads back to the same number. A number beyond the double range reads
// as an infinity of its sign; one too small for the range reads as zero.
double Val(std::string_view text);
double Val(std::u16string_view text);

// Rounds `value` to `decimals` places after the decimal point (0 to 20), as a double. The rounding
// works on the value as it is written: the shortest decimal that reads back to the same double, so
// 1.005 rounds to 1.01 even though the double nearest 1.005 lies just below it. A 5 in the first
// dropped place rounds away from zero. Infinities, NaN and zero come back unchanged, and values too
// large to have a fraction are returned as they are, so rounding never overflows.
double Round(double value, int decimals);

// The text of a number for a label: at most 15 significant digits, no trailing zeros, no digit
// grouping, a full stop as the decimal separator and a leading minus for negative values. Values
// from 0.0001 up to but excluding 1E+15 in size are written in plain decimals; others in exponent
// form with an upper-case E and at least two exponent digits ("1.5E+20", "1E-05"). Zero, negative
// zero included, is "0"; infinities and NaN are "Overflow".
std::string numberText(double value);

// The phase angle in radians, grouped as the screens define it: the product first, then the
// quotient.
inline double radians(double degrees)
{
    return (degrees * kPiAsUsed) / kHalfTurnDegrees;
}

} // namespace quorvex
