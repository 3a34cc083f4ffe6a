#pragma once
// JSON text written value by value, always well-formed: two-space indents,
// every member and array element on a line of its own unless the array was
// begun on one line. Strings are UTF-8; bytes that are not are escaped
// (\u00XX) instead of breaking the text.
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray(bool oneLine = false);
    void EndArray();
    // The name of the next member of the open object.
    void Key(std::string_view name);

    void String(std::string_view text);
    void Int(long long value);
    void Number(double value); // shortest decimal form; null when not finite
    void Bool(bool value);
    void Null();

    // The text so far; complete once every object and array is ended.
    const std::string& Text() const { return text_; }

private:
    struct Open {
        bool IsObject;
        bool OneLine;
        int Count = 0;
    };
    std::string text_;
    std::vector<Open> open_;
    bool afterKey_ = false;

    void BeforeValue();
    void Close(char bracket);
    void NewLine();
};

// `text` as a JSON string literal, quotes included: quote, backslash and
// control characters escaped, valid UTF-8 kept, every other byte as \u00XX.
std::string JsonQuoted(std::string_view text);

} // namespace velmar
