#pragma once

// Writes the JSON messages the browser's view sends to its page: one object at a time, members
// and array elements in the order they are added, text escaped as JSON requires.

#include <string>
#include <string_view>

namespace quorvex {

class JsonText
{
public:
    JsonText& beginObject();
    JsonText& endObject();
    JsonText& beginArray();
    JsonText& endArray();
    // The name of the next member of the object being written.
    JsonText& key(std::string_view name);
    JsonText& value(std::string_view text);
    JsonText& value(const char* text) { return value(std::string_view(text)); }
    JsonText& value(int number);
    JsonText& value(double number);
    JsonText& value(bool flag);

    // A member in one call.
    template <typename Value> JsonText& member(std::string_view name, const Value& memberValue)
    {
        return key(name).value(memberValue);
    }

    const std::string& text() const { return text_; }

private:
    void separate();

    std::string text_;
    bool first_ = true; // nothing written yet in the object or array being written
};

} // namespace quorvex
