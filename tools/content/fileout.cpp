#include "tools/content/fileout.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

bool make_dirs(const std::string& path, std::string& why) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (!ec && std::filesystem::is_directory(path, ec)) return true;
    why = "cannot create folder " + path + (ec ? ": " + ec.message() : ": not a folder");
    return false;
}

bool write_bytes(const std::string& path, const std::vector<u8>& bytes, std::string& why) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        why = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) {
        why = "error writing " + path;
        (void)std::remove(path.c_str()); // a part-written file, best gone; the write already failed
    }
    return ok;
}
