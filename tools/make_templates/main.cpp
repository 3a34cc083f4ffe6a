// Writes the template data files of the "Init" folder from the program's
// initial values. Run it whenever those change:
//   velmar-make-templates data/Init
#include <cstdio>
#include <fstream>

#include "model/template_files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <Init folder>\n", argv[0]);
        return 2;
    }
    for (const velmar::TemplateFile& file : velmar::BuildTemplateFiles()) {
        const std::string path = std::string(argv[1]) + "/" + file.Name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.Bytes.data()),
                  static_cast<std::streamsize>(file.Bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s (%zu bytes)\n", path.c_str(), file.Bytes.size());
    }
    return 0;
}
