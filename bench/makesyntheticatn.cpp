// Writes a synthetic ATN-like buffer to a file, for measurements outside the
// benchmark binary (bench/run.sh feeds one to the command line).
//
//   make_synthetic_atn SIZE_MIB OUTPUT [MARKER]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "syntheticatn.h"

int main(int argc, char **argv)
{
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: make_synthetic_atn SIZE_MIB OUTPUT [MARKER]\n");
        return 2;
    }
    bench::SyntheticAtnOptions options;
    options.size = std::strtoull(argv[1], nullptr, 10) << 20;
    if (argc == 4)
        options.marker = argv[3];
    const bench::SyntheticAtn atn = bench::makeSyntheticAtn(options);
    std::FILE *out = std::fopen(argv[2], "wb");
    if (out == nullptr || std::fwrite(atn.bytes.data(), 1, atn.bytes.size(), out) != atn.bytes.size()
        || std::fclose(out) != 0) {
        std::perror(argv[2]);
        return 1;
    }
    std::printf("%zu bytes, %zu markers\n", atn.bytes.size(), atn.markers);
    return 0;
}
