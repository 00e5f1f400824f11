// The browser's reader: libc++ 14 has no std::from_chars for a double, and wasi-libc's strtod
// works in the "C" locale, the only one a WebAssembly module has, so its decimal separator is
// always the full stop.

#include "decimal_parse.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace quorvex {

ParsedDecimal parseDecimal(const char* first, const char* last)
{
    const std::string text(first, last);
    errno = 0;
    ParsedDecimal parsed;
    parsed.value = std::strtod(text.c_str(), nullptr);
    // strtod also reports a subnormal result as out of range; from_chars, and so the desktop,
    // takes it as it is. Out of range is a result of zero or infinity only.
    parsed.outOfRange = errno == ERANGE && (parsed.value == 0 || !std::isfinite(parsed.value));
    return parsed;
}

} // namespace quorvex
