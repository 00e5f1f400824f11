// The desktop's reader: std::from_chars, which knows no locale.

#include "decimal_parse.h"

#include <charconv>
#include <system_error>

namespace quorvex {

ParsedDecimal parseDecimal(const char* first, const char* last)
{
    ParsedDecimal parsed;
    const auto result = std::from_chars(first, last, parsed.value);
    parsed.outOfRange = result.ec == std::errc::result_out_of_range;
    return parsed;
}

} // namespace quorvex
