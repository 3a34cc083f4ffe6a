#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace velmar {

// A fixed-length text field of a record: n single-byte characters in the ANSI
// code page, padded with blanks; a NUL may end the useful part. Bytes are kept
// as they are, converted to display text only at the window edge.
template <std::size_t N> using FixStr = std::array<char, N>;

// The useful part of a fixed-length text: everything before the first NUL,
// without trailing blanks.
std::string TrimFixStr(std::string_view text);

template <std::size_t N> std::string TrimFixStr(const FixStr<N>& field) {
    return TrimFixStr(std::string_view(field.data(), N));
}

// `text` stored in a field of N characters: cut to N, padded with blanks.
template <std::size_t N> FixStr<N> MakeFixStr(std::string_view text) {
    FixStr<N> field;
    field.fill(' ');
    text.copy(field.data(), std::min(text.size(), N));
    return field;
}

// The "NUL text" of a new document: a NUL followed by blanks.
template <std::size_t N> FixStr<N> NulFixStr() {
    FixStr<N> field;
    field.fill(' ');
    field[0] = '\0';
    return field;
}

} // namespace velmar
