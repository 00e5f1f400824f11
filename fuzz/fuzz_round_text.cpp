// Fuzzes Round and the text of a number on every double: the text of a finite rounded value is
// at most 25 characters and reads back to that value within one part in 10^14; the rounded value
// lies within half a unit of the last kept place of the original; a value outside the double
// range is "Overflow".

#include "numbers.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < sizeof(double) + 1) {
        return 0;
    }
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    const int decimals = data[sizeof value] % 21;

    const double rounded = quorvex::Round(value, decimals);
    const std::string text = quorvex::numberText(rounded);
    if (!std::isfinite(value)) {
        if (text != quorvex::kOverflowText || std::isfinite(rounded)) {
            std::abort();
        }
        return 0;
    }
    if (!std::isfinite(rounded) || text.size() > 25 || text == quorvex::kOverflowText) {
        std::abort();
    }
    // Half a unit of the last kept place, with room for the rounding of the result to a double.
    const double halfUnit = 0.5 * std::pow(10.0, -decimals);
    const double slack =
        4 * std::numeric_limits<double>::epsilon() * std::max(std::fabs(value), std::fabs(rounded));
    if (std::fabs(rounded - value) > halfUnit + slack) {
        std::abort();
    }
    const double back = quorvex::Val(text);
    if (rounded == 0 ? text != "0" : std::fabs(back - rounded) > std::fabs(rounded) * 1e-14) {
        std::abort();
    }
    return 0;
}
