#pragma once
// A text of the language files with its "%1", "%2" … filled in: the texts
// hold the places of the values, so that each language puts them where its
// sentence needs them.
#include <string>
#include <vector>

namespace velmar {

// `format` with "%1", "%2" … replaced by `args` in turn; a marker without its
// argument stays as it is, and a value is never read again as a marker.
std::string FilledText(std::string format, const std::vector<std::string>& args);

} // namespace velmar
