#include "shell/json_writer.h"

#include <cmath>
#include <cstdio>

#include "shell/numbers.h"
#include "shell/text_encoding.h"

namespace velmar {

namespace {

std::string Escaped(unsigned char byte) {
    char code[8];
    std::snprintf(code, sizeof code, "\\u%04x", byte);
    return code;
}

// Length of the UTF-8 sequence that the lead byte announces, 0 for a byte
// that cannot begin one.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 0;
}

} // namespace

std::string JsonQuoted(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = SequenceLength(byte);
        if (length > 1 && IsValidUtf8(text.substr(i, length))) {
            out += text.substr(i, length);
            i += length;
            continue;
        }
        if (byte == '"' || byte == '\\')
            out += '\\', out += static_cast<char>(byte);
        else if (byte == '\n')
            out += "\\n";
        else if (byte == '\t')
            out += "\\t";
        else if (byte < 0x20 || byte >= 0x7F)
            out += Escaped(byte);
        else
            out += static_cast<char>(byte);
        ++i;
    }
    return out + "\"";
}

void JsonWriter::NewLine() {
    text_ += '\n';
    text_.append(2 * open_.size(), ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (open_.empty())
        return;
    Open& open = open_.back();
    if (open.Count++ > 0)
        text_ += open.OneLine ? ", " : ",";
    if (!open.OneLine)
        NewLine();
}

void JsonWriter::Key(std::string_view name) {
    BeforeValue();
    text_ += JsonQuoted(name) + ": ";
    afterKey_ = true;
}

void JsonWriter::BeginObject() {
    BeforeValue();
    text_ += '{';
    open_.push_back({true, false});
}

void JsonWriter::BeginArray(bool oneLine) {
    BeforeValue();
    text_ += '[';
    open_.push_back({false, oneLine || (!open_.empty() && open_.back().OneLine)});
}

void JsonWriter::Close(char bracket) {
    const Open open = open_.back();
    open_.pop_back();
    if (open.Count > 0 && !open.OneLine)
        NewLine();
    text_ += bracket;
}

void JsonWriter::EndObject() {
    Close('}');
}

void JsonWriter::EndArray() {
    Close(']');
}

void JsonWriter::String(std::string_view text) {
    BeforeValue();
    text_ += JsonQuoted(text);
}

void JsonWriter::Int(long long value) {
    BeforeValue();
    text_ += std::to_string(value);
}

void JsonWriter::Number(double value) {
    BeforeValue();
    text_ += std::isfinite(value) ? NumberText(value) : "null";
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    text_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    text_ += "null";
}

} // namespace velmar
