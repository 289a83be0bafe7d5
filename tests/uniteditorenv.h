#pragma once
// Unit files made up for the unit editor's tests: twelve sets and types in
// the test's own data directory, most of them empty.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/input.h"
#include "editor/mapeditor.h"
#include "testenv.h"
#include "world/npc.h"
#include "world/lebytes.h"
#include "world/unittype.h"

struct uframe {
    int index;
    u32 offset, size;
};

inline std::string unitpath(const std::string& rel) { return testdatadir() + "/" + rel; }

inline void putfile(const std::string& rel, const std::vector<u8>& bytes) {
    std::filesystem::create_directories(std::filesystem::path(unitpath(rel)).parent_path());
    std::ofstream(unitpath(rel), std::ios::binary).write((const char*)bytes.data(), (std::streamsize)bytes.size());
}

inline std::string filebytes(const std::string& rel) {
    std::ifstream f(unitpath(rel), std::ios::binary);
    if (!f) return "(absent)";
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

inline std::vector<u8> unitdir(const std::vector<uframe>& entries) {
    std::vector<u8> dir(UNITDIRSIZE, 0);
    for (const uframe& e : entries) {
        if (e.index < 0 || e.index >= UNITFRAMES) std::abort();
        putu32(&dir[e.index * 4], e.offset);
        putu32(&dir[(UNITFRAMES + e.index) * 4], e.size);
    }
    return dir;
}

// Every set empty (not loaded) but those given; type n draws with set n.
inline void writeunitsets(const std::vector<int>& sets, const std::vector<std::vector<u8>>& raws,
                          const std::vector<std::vector<u8>>& dirs) {
    for (int n = 0; n < NUMUNITTYPES; n++) {
        std::vector<u8> dir(UNITDIRSIZE, 0), raw, type(UNITTYPESIZE, 0);
        for (size_t k = 0; k < sets.size(); k++)
            if (sets[k] == n) {
                dir = dirs[k];
                raw = raws[k];
            }
        type[1090] = (u8)n;
        std::string name = "Type " + std::to_string(n);
        for (size_t c = 0; c < name.size(); c++) type[1024 + c] = (u8)name[c];
        putfile("units/newunitpic" + std::to_string(n) + ".dat", dir);
        putfile("units/newunitpic" + std::to_string(n) + ".raw", raw);
        putfile("units/unit" + std::to_string(n) + ".dat", type);
    }
}

// The 36 files the editor writes, then their 36 backups.
inline std::vector<std::string> unitfilenames() {
    std::vector<std::string> names;
    for (int n = 0; n < NUMUNITTYPES; n++) {
        names.push_back("units/newunitpic" + std::to_string(n) + ".raw");
        names.push_back("units/newunitpic" + std::to_string(n) + ".dat");
        names.push_back("units/unit" + std::to_string(n) + ".dat");
    }
    for (int k = 0; k < 36; k++) {
        std::string b = names[(size_t)k];
        b.back() = '0';
        names.push_back(b);
    }
    return names;
}

// The editor leaves its facing, unit type and full view behind for the map
// editor: tests put them back so later tests start from the program's own.
struct keepunittool : ::testing::Test {
    u8 facing = placefacing, view = fullview;
    i32 type = placeunittype;
    ~keepunittool() override {
        placefacing = facing;
        placeunittype = type;
        fullview = view;
    }
};
