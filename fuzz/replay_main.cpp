// Runs a fuzz target over saved inputs without libFuzzer, so that the
// corpora are replayed under the sanitizers by every CTest run with g++.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// Targets that drive a game loader tell how their runs ended: nonzero when
// the corpus both loaded and refused at least once.
extern "C" __attribute__((weak)) int fuzzreport();
// How the last run ended: 1 loaded, 0 refused, -1 not told.
extern "C" __attribute__((weak)) int fuzzlast();

namespace fs = std::filesystem;

namespace {

bool replayfile(const fs::path& path) {
    std::error_code ec;
    uintmax_t size = fs::file_size(path, ec);
    std::ifstream in(path, std::ios::binary);
    if (ec || !in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    // Exactly the file's length, so a read one byte past it is caught by
    // AddressSanitizer instead of landing in spare capacity.
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[size]);
    if (!in.read(reinterpret_cast<char*>(bytes.get()), (std::streamsize)size)) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    LLVMFuzzerTestOneInput(bytes.get(), (size_t)size);
    return true;
}

// Sorted, so a failure names the same input on every run.
std::vector<fs::path> inputs(const fs::path& arg) {
    std::vector<fs::path> files;
    if (!fs::is_directory(arg)) return {arg};
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(arg))
        if (e.is_regular_file()) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv) {
    size_t replayed = 0;
    // Targets that run the game move into their own data directory.
    std::vector<fs::path> args;
    for (int i = 1; i < argc; i++) args.push_back(fs::absolute(argv[i]));
    for (const fs::path& arg : args) {
        std::error_code ec;
        if (!fs::exists(arg, ec)) {
            std::fprintf(stderr, "no such input: %s\n", arg.c_str());
            return 1;
        }
        for (const fs::path& p : inputs(arg)) {
            if (!replayfile(p)) return 1;
            int outcome = fuzzlast ? fuzzlast() : -1;
            if (outcome >= 0) std::printf("%-8s %s\n", outcome ? "loaded" : "refused", p.filename().c_str());
            replayed++;
        }
    }
    std::printf("%zu inputs replayed\n", replayed);
    // An empty corpus would pass while testing nothing.
    if (replayed == 0) return 1;
    if (fuzzreport && !fuzzreport()) {
        std::printf("the corpus should hold inputs that load and inputs that are refused\n");
        return 1;
    }
    return 0;
}
