#pragma once
// The channel list as it is printed: every used channel, group by group, with
// its number, receive frequency, decode and encode tones, modulation, power
// and scan choice, under the group's label; cut into pages of a given number
// of lines. Texts come from the language file and are UTF-8; the painting is
// the window layer's.
#include <string>
#include <vector>

#include "model/document.h"
#include "shell/text_lookup.h"

namespace velmar {

// Texts of the printed list (beside the grid's own column headers).
namespace PrintText {
inline constexpr int Title = 32200;      // "Channel list"
inline constexpr int Modulation = 32201; // "AM/FM"
inline constexpr int Power = 32202;      // "Power"
inline constexpr int Page = 32203;       // "Page %1 of %2"
} // namespace PrintText

inline constexpr int kPrintedColumns = 7;

struct PrintedLine {
    bool IsGroup = false;           // a group's label, else a channel
    std::vector<std::string> Cells; // the label alone, or kPrintedColumns cells
};

struct PrintedPage {
    std::string Title;  // title, model, band and file, on every page
    std::string Footer; // "Page 2 of 3"
    std::vector<std::string> Headers;
    std::vector<PrintedLine> Lines;
};

// The groups in order 0 … 14 (groups without a used channel left out), each
// label followed by its channels in number order. A channel whose receive
// frequency holds none is not printed. Record texts (group names, model) are
// read in the ANSI code page: GBK when ansiIsGbk, else Windows-1252.
std::vector<PrintedLine> PrintedChannelLines(const Document& doc, const TextLookup& texts,
                                             bool ansiIsGbk);

// The lines cut into pages of at most `linesPerPage` lines (at least 2): a
// group label never ends a page, and a page that goes on with a group begins
// with its label again. A list without channels is one page without lines.
std::vector<PrintedPage> PrintedChannelPages(const Document& doc, const TextLookup& texts,
                                             bool ansiIsGbk, int linesPerPage);

} // namespace velmar
