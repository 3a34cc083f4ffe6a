#include "console.h"

#include <cstdio>
#include <unistd.h>

namespace velmar::cli {

namespace {

constexpr int kBarWidth = 30;

} // namespace

Console::Console(bool quiet) : quiet_(quiet), stderrTty_(::isatty(STDERR_FILENO) == 1) {}

Console::~Console() {
    ClearBar();
}

std::string Console::Line(const std::string& port, const std::string& text) const {
    return portCount_ > 1 && !port.empty() ? port + ": " + text : text;
}

void Console::Message(const std::string& port, const std::string& text) {
    ClearBar();
    std::fprintf(stderr, "velmar-cli: %s\n", Line(port, text).c_str());
    std::fflush(stderr);
    DrawBar();
}

void Console::Note(const std::string& port, const std::string& text) {
    if (!quiet_)
        Message(port, text);
}

void Console::Result(const std::string& port, const std::string& text) {
    ClearBar();
    std::fprintf(stdout, "%s\n", Line(port, text).c_str());
    std::fflush(stdout);
    DrawBar();
}

void Console::Progress(const std::string& port, const std::string& title, int percent) {
    if (quiet_ || !stderrTty_)
        return;
    Bar& bar = bars_[port];
    if (bar.Title == title && bar.Percent == percent)
        return;
    bar = {title, percent};
    DrawBar();
}

void Console::EndProgress(const std::string& port) {
    if (bars_.erase(port) == 0)
        return;
    ClearBar();
    DrawBar();
}

void Console::Ask(const std::string& port, const std::string& question) {
    ClearBar();
    asking_ = true;
    std::fprintf(stderr, "%s", Line(port, question).c_str());
    std::fflush(stderr);
}

void Console::Answered() {
    asking_ = false;
    DrawBar();
}

void Console::ClearBar() {
    if (!barShown_)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    barShown_ = false;
}

// One port: the title, a bar and the percentage; several: the percentage of
// each port.
void Console::DrawBar() {
    if (quiet_ || !stderrTty_ || asking_ || bars_.empty())
        return;
    std::string line;
    if (bars_.size() == 1 && portCount_ <= 1) {
        const Bar& bar = bars_.begin()->second;
        const int filled = bar.Percent * kBarWidth / 100;
        line = bar.Title + " [" + std::string(static_cast<std::size_t>(filled), '#') +
               std::string(static_cast<std::size_t>(kBarWidth - filled), '-') + "] " +
               std::to_string(bar.Percent) + "%";
    } else {
        for (const auto& [port, bar] : bars_)
            line += (line.empty() ? "" : "  ") + port + " " + std::to_string(bar.Percent) + "%";
    }
    std::fprintf(stderr, "\r%s\033[K", line.c_str());
    std::fflush(stderr);
    barShown_ = true;
}

} // namespace velmar::cli
