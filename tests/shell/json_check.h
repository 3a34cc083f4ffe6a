#pragma once
// A strict JSON reader for tests: the text must be one well-formed value in
// valid UTF-8 (RFC 8259), else Parse gives nothing. The value can then be
// looked into by member name and index.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "shell/text_encoding.h"

namespace velmar::test {

struct JsonValue {
    using Array = std::vector<JsonValue>;
    using Object = std::vector<std::pair<std::string, JsonValue>>;
    std::variant<std::nullptr_t, bool, double, std::string, Array, Object> Data;

    bool IsNull() const { return std::holds_alternative<std::nullptr_t>(Data); }
    double Num() const { return std::get<double>(Data); }
    const std::string& Str() const { return std::get<std::string>(Data); }
    const Array& Arr() const { return std::get<Array>(Data); }
    const Object& Obj() const { return std::get<Object>(Data); }
    // The member `name`; throws when there is none.
    const JsonValue& operator[](std::string_view name) const {
        for (const auto& [key, value] : Obj())
            if (key == name)
                return value;
        throw std::out_of_range("no member " + std::string(name));
    }
    const JsonValue& operator[](std::size_t i) const { return Arr().at(i); }
    bool Has(std::string_view name) const {
        for (const auto& member : Obj())
            if (member.first == name)
                return true;
        return false;
    }
};

class JsonReader {
public:
    static std::optional<JsonValue> Parse(std::string_view text) {
        if (!IsValidUtf8(text))
            return std::nullopt;
        JsonReader reader(text);
        JsonValue value;
        if (!reader.Value(value, 0))
            return std::nullopt;
        reader.Blanks();
        if (reader.pos_ != text.size())
            return std::nullopt;
        return value;
    }

private:
    explicit JsonReader(std::string_view text) : t_(text) {}
    std::string_view t_;
    std::size_t pos_ = 0;

    bool More() const { return pos_ < t_.size(); }
    char Peek() const { return More() ? t_[pos_] : '\0'; }
    void Blanks() {
        while (More() && (Peek() == ' ' || Peek() == '\n' || Peek() == '\r' || Peek() == '\t'))
            ++pos_;
    }
    bool Literal(std::string_view word) {
        if (t_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }
    static void AppendUtf8(std::string& out, std::uint32_t c) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    bool Hex4(std::uint32_t& code) {
        if (pos_ + 4 > t_.size())
            return false;
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = t_[pos_++];
            code <<= 4;
            if (c >= '0' && c <= '9')
                code |= c - '0';
            else if (c >= 'a' && c <= 'f')
                code |= c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                code |= c - 'A' + 10;
            else
                return false;
        }
        return true;
    }
    bool String(std::string& out) {
        if (!Literal("\""))
            return false;
        while (More()) {
            const char c = t_[pos_++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = Peek();
            ++pos_;
            const std::string_view simple = "\"\\/bfnrt";
            const std::string_view meant = "\"\\/\b\f\n\r\t";
            if (const auto k = simple.find(e); k != std::string_view::npos && e != '\0') {
                out += meant[k];
            } else if (e == 'u') {
                std::uint32_t code;
                if (!Hex4(code) || (code >= 0xDC00 && code <= 0xDFFF))
                    return false;
                if (code >= 0xD800 && code <= 0xDBFF) {
                    std::uint32_t low;
                    if (!Literal("\\u") || !Hex4(low) || low < 0xDC00 || low > 0xDFFF)
                        return false;
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                AppendUtf8(out, code);
            } else {
                return false;
            }
        }
        return false;
    }
    bool Number(double& out) {
        const std::size_t start = pos_;
        const auto digits = [&] {
            const std::size_t from = pos_;
            while (Peek() >= '0' && Peek() <= '9')
                ++pos_;
            return pos_ > from;
        };
        Literal("-");
        if (Peek() == '0')
            ++pos_;
        else if (!digits())
            return false;
        if (Literal(".") && !digits())
            return false;
        if (Peek() == 'e' || Peek() == 'E') {
            ++pos_;
            if (Peek() == '+' || Peek() == '-')
                ++pos_;
            if (!digits())
                return false;
        }
        out = std::stod(std::string(t_.substr(start, pos_ - start)));
        return true;
    }
    bool Value(JsonValue& out, int depth) {
        if (depth > 64)
            return false;
        Blanks();
        const char c = Peek();
        if (c == '{') {
            ++pos_;
            JsonValue::Object members;
            Blanks();
            if (!Literal("}")) {
                do {
                    Blanks();
                    std::string key;
                    if (!String(key))
                        return false;
                    Blanks();
                    if (!Literal(":"))
                        return false;
                    JsonValue value;
                    if (!Value(value, depth + 1))
                        return false;
                    members.emplace_back(std::move(key), std::move(value));
                    Blanks();
                } while (Literal(","));
                if (!Literal("}"))
                    return false;
            }
            out.Data = std::move(members);
            return true;
        }
        if (c == '[') {
            ++pos_;
            JsonValue::Array elements;
            Blanks();
            if (!Literal("]")) {
                do {
                    JsonValue value;
                    if (!Value(value, depth + 1))
                        return false;
                    elements.push_back(std::move(value));
                    Blanks();
                } while (Literal(","));
                if (!Literal("]"))
                    return false;
            }
            out.Data = std::move(elements);
            return true;
        }
        if (c == '"') {
            std::string s;
            if (!String(s))
                return false;
            out.Data = std::move(s);
            return true;
        }
        if (Literal("true")) {
            out.Data = true;
            return true;
        }
        if (Literal("false")) {
            out.Data = false;
            return true;
        }
        if (Literal("null")) {
            out.Data = nullptr;
            return true;
        }
        double number;
        if (!Number(number))
            return false;
        out.Data = number;
        return true;
    }
};

} // namespace velmar::test
