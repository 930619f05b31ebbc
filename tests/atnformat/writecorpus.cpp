// Writes every action file the reader's tests are built on into a folder, for
// the comparison with the independent validator.
#include <cstdio>
#include <fstream>

#include "corpus.h"

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    for (const corpus::NamedFile &file : corpus::allFiles()) {
        std::ofstream out(std::string(argv[1]) + "/" + file.name, std::ios::binary);
        out.write(reinterpret_cast<const char *>(file.bytes.data()), static_cast<std::streamsize>(file.bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", file.name.c_str());
            return 1;
        }
    }
    return 0;
}
