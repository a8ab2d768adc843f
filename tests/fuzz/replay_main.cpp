// Replays corpora through a fuzz target without libFuzzer: every regular file of the folders
// given, in name order, once. A fault aborts, as it would under libFuzzer; an empty corpus
// fails, so that a misplaced folder cannot pass unnoticed.
//
//   link_archive_fuzz tests/fuzz/corpus/link_archive
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/fuzz_target.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles(int argc, char** argv) {
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        for (const fs::directory_entry& entry : fs::directory_iterator(argv[i])) {
            if (entry.is_regular_file()) files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> files = CorpusFiles(argc, argv);
    for (const fs::path& file : files) {
        std::vector<std::uint8_t> input = ReadAll(file);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::fprintf(stderr, "%zu inputs replayed\n", files.size());
    return files.empty() ? 1 : 0;
}
