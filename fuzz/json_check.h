#pragma once
// A strict check of JSON text (RFC 8259): one value, nothing but white space
// around it, strings in valid UTF-8 with only the escapes JSON knows and no
// raw control characters, numbers of JSON's own form (no NaN, no infinity,
// no leading zeros).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace velmar::fuzz {

struct JsonFaultAt {
    std::size_t Offset = 0;
    const char* Reason = "";
};

class JsonChecker {
public:
    explicit JsonChecker(std::string_view text) : text_(text) {}

    std::optional<JsonFaultAt> Check() {
        Space();
        if (!Value(0))
            return fault_;
        Space();
        if (pos_ != text_.size())
            return JsonFaultAt{pos_, "text after the value"};
        return std::nullopt;
    }

private:
    static constexpr int kDeepest = 64;

    bool Fail(const char* reason) {
        fault_ = JsonFaultAt{pos_, reason};
        return false;
    }
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    void Space() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r'))
            ++pos_;
    }
    bool Literal(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word)
            return Fail("unknown word");
        pos_ += word.size();
        return true;
    }

    bool Value(int depth) {
        if (depth > kDeepest)
            return Fail("nested too deep");
        switch (Peek()) {
        case '{':
            return Object(depth);
        case '[':
            return Array(depth);
        case '"':
            return String();
        case 't':
            return Literal("true");
        case 'f':
            return Literal("false");
        case 'n':
            return Literal("null");
        default:
            return Number();
        }
    }

    bool Object(int depth) {
        return Sequence('}', [&] {
            if (Peek() != '"')
                return Fail("a member name must be a string");
            if (!String())
                return false;
            Space();
            if (Peek() != ':')
                return Fail("':' expected");
            ++pos_;
            Space();
            return Value(depth + 1);
        });
    }

    bool Array(int depth) {
        return Sequence(']', [&] { return Value(depth + 1); });
    }

    // The elements of an object or array, from its opening bracket to `close`,
    // separated by commas; `element` reads one.
    template <typename Element> bool Sequence(char close, Element element) {
        ++pos_;
        Space();
        if (Peek() == close) {
            ++pos_;
            return true;
        }
        for (;;) {
            Space();
            if (!element())
                return false;
            Space();
            if (Peek() == ',') {
                ++pos_;
                continue;
            }
            if (Peek() == close) {
                ++pos_;
                return true;
            }
            return Fail(close == '}' ? "',' or '}' expected" : "',' or ']' expected");
        }
    }

    static bool IsHex(char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    }

    // One UTF-8 sequence at pos_: no overlong forms, no surrogates, at most U+10FFFF.
    bool Utf8() {
        const auto byte = [this](std::size_t i) {
            return static_cast<std::uint8_t>(pos_ + i < text_.size() ? text_[pos_ + i] : 0);
        };
        const std::uint8_t b0 = byte(0);
        int length = 0;
        std::uint8_t low = 0x80, high = 0xBF;
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            length = 2;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            length = 3;
            if (b0 == 0xE0)
                low = 0xA0;
            if (b0 == 0xED)
                high = 0x9F;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            length = 4;
            if (b0 == 0xF0)
                low = 0x90;
            if (b0 == 0xF4)
                high = 0x8F;
        } else {
            return Fail("not UTF-8");
        }
        for (int i = 1; i < length; ++i) {
            const std::uint8_t b = byte(static_cast<std::size_t>(i));
            if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF))
                return Fail("not UTF-8");
        }
        pos_ += static_cast<std::size_t>(length);
        return true;
    }

    bool String() {
        ++pos_;
        for (;;) {
            if (AtEnd())
                return Fail("unterminated string");
            const auto c = static_cast<std::uint8_t>(Peek());
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (c < 0x20)
                return Fail("raw control character in a string");
            if (c == '\\') {
                ++pos_;
                const char e = Peek();
                if (e == 'u') {
                    for (int i = 1; i <= 4; ++i)
                        if (!IsHex(pos_ + i < text_.size() ? text_[pos_ + i] : '\0'))
                            return Fail("bad \\u escape");
                    pos_ += 5;
                } else if (std::string_view("\"\\/bfnrt").find(e) != std::string_view::npos &&
                           e != '\0') {
                    ++pos_;
                } else {
                    return Fail("unknown escape");
                }
            } else if (c >= 0x80) {
                if (!Utf8())
                    return false;
            } else {
                ++pos_;
            }
        }
    }

    bool Digits() {
        const std::size_t start = pos_;
        while (Peek() >= '0' && Peek() <= '9')
            ++pos_;
        return pos_ > start;
    }

    bool Number() {
        if (Peek() == '-')
            ++pos_;
        if (Peek() == '0') {
            ++pos_;
        } else if (!Digits()) {
            return Fail("value expected");
        }
        if (Peek() == '.') {
            ++pos_;
            if (!Digits())
                return Fail("digits expected after '.'");
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++pos_;
            if (Peek() == '+' || Peek() == '-')
                ++pos_;
            if (!Digits())
                return Fail("digits expected in the exponent");
        }
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    JsonFaultAt fault_;
};

inline std::optional<JsonFaultAt> JsonFault(std::string_view text) {
    return JsonChecker(text).Check();
}

} // namespace velmar::fuzz
