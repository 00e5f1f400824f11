#include "json_text.h"

#include <array>
#include <charconv>

namespace quorvex {

void JsonText::separate()
{
    if (!first_) {
        text_ += ',';
    }
    first_ = false;
}

JsonText& JsonText::beginObject()
{
    separate();
    text_ += '{';
    first_ = true;
    return *this;
}

JsonText& JsonText::endObject()
{
    text_ += '}';
    first_ = false;
    return *this;
}

JsonText& JsonText::beginArray()
{
    separate();
    text_ += '[';
    first_ = true;
    return *this;
}

JsonText& JsonText::endArray()
{
    text_ += ']';
    first_ = false;
    return *this;
}

JsonText& JsonText::key(std::string_view name)
{
    value(name);
    text_ += ':';
    first_ = true; // the member's value follows without a comma
    return *this;
}

JsonText& JsonText::value(std::string_view text)
{
    separate();
    text_ += '"';
    for (const char c : text) {
        switch (c) {
        case '"':
            text_ += "\\\"";
            break;
        case '\\':
            text_ += "\\\\";
            break;
        case '\n':
            text_ += "\\n";
            break;
        case '\r':
            text_ += "\\r";
            break;
        case '\t':
            text_ += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                constexpr char hex[] = "0123456789abcdef";
                text_ += "\\u00";
                text_ += hex[(c >> 4) & 0xF];
                text_ += hex[c & 0xF];
            } else {
                text_ += c; // UTF-8 passes as it is
            }
        }
    }
    text_ += '"';
    return *this;
}

JsonText& JsonText::value(int number)
{
    separate();
    text_ += std::to_string(number);
    return *this;
}

JsonText& JsonText::value(double number)
{
    separate();
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number);
    text_.append(buffer.data(), result.ptr);
    return *this;
}

JsonText& JsonText::value(bool flag)
{
    separate();
    text_ += flag ? "true" : "false";
    return *this;
}

} // namespace quorvex
