// Writes the demo radio's memory, demo/sample.img, below the data folder.
// Run it whenever the sample's description changes:
//   velmar-make-demo-sample data
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "link/demo_sample.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    const auto bytes = velmar::BuildDemoSample();
    const std::filesystem::path path =
        std::filesystem::path(argv[1]) / std::string(velmar::DemoSampleFile);
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("%s (%zu bytes)\n", path.c_str(), bytes.size());
    return 0;
}
