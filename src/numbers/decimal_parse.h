#pragma once

// Reads a plain decimal number, the one step of the numeric conventions that the C++ libraries of
// the platforms offer differently: std::from_chars for a double where the library has it (the
// desktop), the C library's strtod in the "C" locale where it has not (the browser's libc++ 14).
// The build compiles one of decimal_parse_chars.cpp and decimal_parse_strtod.cpp.

namespace quorvex {

struct ParsedDecimal
{
    double value = 0;
    // The number lies beyond the double range, or is too small for it to tell from zero; `value`
    // then holds nothing of use.
    bool outOfRange = false;
};

// [first, last) is a whole number of the form [digits][.digits][e[sign]digits], ASCII, with at
// least one digit before the exponent and no sign before it.
ParsedDecimal parseDecimal(const char* first, const char* last);

} // namespace quorvex
