// Fuzzes the number reader on arbitrary bytes, read both as UTF-8 and as UTF-16.
// It must never read past its input (AddressSanitizer watches the exact-size buffer) and must
// return a finite number, or an infinity when the number is beyond the double range; never NaN.

#include "numbers.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void check(double value)
{
    if (std::isnan(value)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view utf8(reinterpret_cast<const char*>(data), size);
    check(quorvex::Val(utf8));

    // The same bytes as UTF-16 code units, in a buffer of exactly their size.
    std::vector<char16_t> units(size / 2);
    if (!units.empty()) {
        std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    }
    check(quorvex::Val(std::u16string_view(units.data(), units.size())));

    // An ASCII text reads the same through both entries.
    bool ascii = true;
    for (const std::uint8_t byte : utf8) {
        ascii = ascii && byte < 0x80;
    }
    if (ascii) {
        const std::u16string wide(utf8.begin(), utf8.end());
        const double narrow = quorvex::Val(utf8);
        const double widened = quorvex::Val(wide);
        if (std::memcmp(&narrow, &widened, sizeof narrow) != 0) {
            std::abort();
        }
    }
    return 0;
}
