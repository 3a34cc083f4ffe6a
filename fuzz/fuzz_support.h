#pragma once
// What the fuzz targets share: a check that stops the run with a reason, a
// quiet text table and message sink, and a scratch folder for file inputs.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdlib.h>
#include <string>
#include <string_view>

#include "shell/message_sink.h"
#include "shell/text_lookup.h"

// Stops the run like a crash, so that libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace velmar::fuzz {

// Every text is its number, so messages can be told apart.
struct NumberedTexts : TextLookup {
    std::string GetText(int id) const override { return "T" + std::to_string(id); }
};

// Counts the boxes and answers each with `answer`.
struct CountingSink : MessageSink {
    MsgAnswer answer = MsgAnswer::Ok;
    int shown = 0;
    std::string last;
    MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon) override {
        ++shown;
        last = text;
        return answer;
    }
};

// A folder of this process for the files an input is written to, in memory
// where the system has /dev/shm (flushing a file there costs nothing);
// removed when the process ends normally.
inline const std::filesystem::path& ScratchFolder() {
    struct Folder {
        std::filesystem::path path;
        Folder() {
            std::error_code ec;
            const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                                   ? std::filesystem::path("/dev/shm")
                                                   : std::filesystem::temp_directory_path();
            std::string pattern = (base / "velmar-fuzz-XXXXXX").string();
            if (!mkdtemp(pattern.data()))
                std::abort();
            path = pattern;
        }
        ~Folder() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    };
    static const Folder folder;
    return folder.path;
}

// Replaces the file at `path` with `bytes`.
inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        std::abort();
}

} // namespace velmar::fuzz
