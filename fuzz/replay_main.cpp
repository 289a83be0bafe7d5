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
    for (int i = 1; i < argc; i++) {
        std::error_code ec;
        if (!fs::exists(argv[i], ec)) {
            std::fprintf(stderr, "no such input: %s\n", argv[i]);
            return 1;
        }
        for (const fs::path& p : inputs(argv[i])) {
            if (!replayfile(p)) return 1;
            replayed++;
        }
    }
    std::printf("%zu inputs replayed\n", replayed);
    // An empty corpus would pass while testing nothing.
    return replayed > 0 ? 0 : 1;
}
