#pragma once
// The whole document as JSON, for people and scripts: the model and band,
// every field of the document record (option words by name, emergency
// channels, the common channel, DTMF, embedded message, tone tips, group
// names, reset flags, ...), the radio information, and every used channel in
// channel-number order with its frequencies in MHz and its tones by name
// ("88.5", "D023N", "OFF") beside every stored value.
#include <string>

#include "model/document.h"

namespace velmar {

// Texts of the records are read in the ANSI code page (GBK when ansiIsGbk,
// else Windows-1252). A frequency field that holds none, or is damaged,
// gives null in MHz and its stored text as it is.
std::string DocumentToJson(const Document& doc, bool ansiIsGbk = false);

} // namespace velmar
