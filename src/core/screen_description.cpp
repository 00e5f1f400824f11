#include "screen_description.h"

#include <algorithm>
#include <cctype>

namespace quorvex {

bool ControlName::operator==(const ControlName& other) const
{
    const auto sameLetter = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    };
    return index == other.index && std::ranges::equal(name, other.name, sameLetter);
}

std::string ControlName::text() const
{
    std::string result(name);
    if (index) {
        result += '(' + std::to_string(*index) + ')';
    }
    return result;
}

} // namespace quorvex
