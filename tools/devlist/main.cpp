// quarvin-devlist: builds the three device list files from data/devices.src.
//   quarvin-devlist SOURCE OUTDIR          write the files
//   quarvin-devlist --check SOURCE OUTDIR  exit 1 when the files differ from the source
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "catalogue/DeviceListSource.h"

int main(int argc, char** argv) {
    bool check = argc == 4 && std::string(argv[1]) == "--check";
    if (argc != 3 && !check) {
        std::fprintf(stderr, "usage: quarvin-devlist [--check] SOURCE OUTDIR\n");
        return 2;
    }
    std::string sourceName = argv[check ? 2 : 1];
    std::string outDir = argv[check ? 3 : 2];
    std::ifstream source(sourceName, std::ios::binary);
    if (!source) {
        std::fprintf(stderr, "%s: cannot open\n", sourceName.c_str());
        return 2;
    }
    quarvin::GeneratedLists lists = quarvin::GenerateDeviceLists(source);
    for (const auto& p : lists.problems) std::fprintf(stderr, "%s:%d: %s\n", sourceName.c_str(), p.line, p.text.c_str());
    if (!lists.problems.empty()) return 1;

    int differing = 0;
    for (const auto& [name, content] : lists.files) {
        std::string path = outDir + "/" + name;
        if (check) {
            std::ifstream in(path, std::ios::binary);
            std::ostringstream shipped;
            shipped << in.rdbuf();
            if (!in || shipped.str() != content) {
                std::fprintf(stderr, "%s differs from %s\n", path.c_str(), sourceName.c_str());
                ++differing;
            }
        } else {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out << content;
            if (!out) {
                std::fprintf(stderr, "%s: cannot write\n", path.c_str());
                return 2;
            }
        }
    }
    return differing ? 1 : 0;
}
