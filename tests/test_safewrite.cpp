// The safe-write path: a failure at any step leaves the old files and no
// temporary behind; a set is replaced whole or not at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "platform/safewrite.h"
#include "testenv.h"

namespace fs = std::filesystem;

namespace {

void put(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> entries(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Runs write with a failure injected at step 1, 2, ... until a run takes
// fewer steps than the one that would fail; after each failed run check()
// looks at the disk. Returns the number of steps of the whole write.
template <typename W, typename C> int failateverystep(W write, C check) {
    for (int n = 1; n < 100; n++) {
        SCOPED_TRACE(testing::Message() << "failing step " << n);
        std::string why;
        plat_safewritefailat(n);
        bool ok = write(&why);
        int steps = plat_safewritesteps();
        plat_safewritefailat(0);
        if (steps < n) {
            EXPECT_TRUE(ok) << why;
            return n - 1;
        }
        EXPECT_FALSE(ok);
        EXPECT_FALSE(why.empty());
        check();
    }
    ADD_FAILURE() << "the write never ends";
    return 0;
}

} // namespace

TEST(SafeWrite, OneFileFailingAtEveryStepStaysOldAndLeavesNoTemporary) {
    starttestplatform();
    put("saves/one.dat", "the old bytes");
    std::string fresh(100000, 'n');
    int steps = failateverystep(
        [&](std::string* why) { return plat_safewritefile("Saves\\ONE.dat", fresh.data(), fresh.size(), why); },
        [&] {
            EXPECT_EQ(readtext("saves/one.dat"), "the old bytes");
            EXPECT_EQ(entries("saves"), std::vector<std::string>{"one.dat"});
        });
    // create, mode, write, flush, close, keep the old, rename, flush the folder
    EXPECT_EQ(steps, 8);
    EXPECT_EQ(readtext("saves/one.dat"), fresh);
    EXPECT_EQ(entries("saves"), std::vector<std::string>{"one.dat"});

    // Without an old file there is nothing to keep, and a failure leaves none.
    steps = failateverystep([&](std::string* why) { return plat_safewritefile("saves\\two.dat", "2", 1, why); },
                            [&] { EXPECT_EQ(entries("saves"), std::vector<std::string>{"one.dat"}); });
    EXPECT_EQ(steps, 7);
    EXPECT_EQ(readtext("saves/two.dat"), "2");
}

TEST(SafeWrite, SetFailingAtEveryStepLeavesTheOldSetWhole) {
    starttestplatform();
    put("maps/m.dat", "old main");
    put("maps/m.npc", "old npcs");
    put("other/m.map", "old header");
    std::string a(70000, 'a'), b = "new npcs", c = "new header", d = "a new file";
    std::vector<safepart> set = {{"maps\\m.dat", a.data(), a.size()},
                                 {"maps\\m.npc", b.data(), b.size()},
                                 {"other\\m.map", c.data(), c.size()},
                                 {"maps\\new.txt", d.data(), d.size()}};
    auto isold = [&] {
        EXPECT_EQ(readtext("maps/m.dat"), "old main");
        EXPECT_EQ(readtext("maps/m.npc"), "old npcs");
        EXPECT_EQ(readtext("other/m.map"), "old header");
        EXPECT_EQ(entries("maps"), (std::vector<std::string>{"m.dat", "m.npc"}));
        EXPECT_EQ(entries("other"), std::vector<std::string>{"m.map"});
    };
    int steps = failateverystep([&](std::string* why) { return plat_safewriteset(set, why); }, isold);
    // Five steps to write each temporary, three old files kept, four renames, two folders.
    EXPECT_EQ(steps, 4 * 5 + 3 + 4 + 2);
    EXPECT_EQ(readtext("maps/m.dat"), a);
    EXPECT_EQ(readtext("maps/m.npc"), b);
    EXPECT_EQ(readtext("other/m.map"), c);
    EXPECT_EQ(readtext("maps/new.txt"), d);
    EXPECT_EQ(entries("maps"), (std::vector<std::string>{"m.dat", "m.npc", "new.txt"}));

    // A part that cannot be written at all stops the set before anything is replaced.
    std::vector<safepart> broken = {{"maps\\m.dat", "x", 1}, {"nowhere\\m.npc", "y", 1}};
    std::string why;
    EXPECT_FALSE(plat_safewriteset(broken, &why));
    EXPECT_NE(why.find("nowhere/m.npc"), std::string::npos) << why;
    EXPECT_EQ(readtext("maps/m.dat"), a);
    std::vector<safepart> twice = {{"maps\\m.dat", "x", 1}, {"MAPS\\M.DAT", "y", 1}};
    EXPECT_FALSE(plat_safewriteset(twice, &why));
    EXPECT_EQ(readtext("maps/m.dat"), a);
    EXPECT_EQ(entries("maps"), (std::vector<std::string>{"m.dat", "m.npc", "new.txt"}));
}

TEST(SafeWrite, ReplacesOnlyRegularFilesAndKeepsTheirModeAndLinks) {
    starttestplatform();
    std::string why;
    fs::create_directories("w");
    ASSERT_EQ(mkfifo("w/pipe", 0644), 0);
    EXPECT_FALSE(plat_safewritefile("w\\pipe", "x", 1, &why));
    EXPECT_NE(why.find("not a regular file"), std::string::npos) << why;
    EXPECT_TRUE(fs::is_fifo("w/pipe"));
    fs::create_directories("w/dir");
    EXPECT_FALSE(plat_safewritefile("w\\dir", "x", 1, &why));
    EXPECT_TRUE(fs::is_directory("w/dir"));
    EXPECT_FALSE(plat_safewritefile("w\\missing\\f", "x", 1, &why));
    EXPECT_NE(why.find("w/missing/f"), std::string::npos) << why;
    EXPECT_EQ(entries("w"), (std::vector<std::string>{"dir", "pipe"}));

    put("w/kept", "old");
    chmod("w/kept", 0640);
    ASSERT_TRUE(plat_safewritefile("w\\kept", "new", 3, &why)) << why;
    struct stat st;
    ASSERT_EQ(stat("w/kept", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // A link goes on naming the file, which now holds the new bytes.
    fs::create_symlink("kept", "w/link");
    ASSERT_TRUE(plat_safewritefile("w\\link", "newer", 5, &why)) << why;
    EXPECT_TRUE(fs::is_symlink("w/link"));
    EXPECT_EQ(readtext("w/kept"), "newer");
}

TEST(SafeWrite, StreamedFileAppearsOnlyOnCommit) {
    starttestplatform();
    put("s/log.txt", "old");
    std::string why;
    safefile* f = plat_safeopen("s\\log.txt", &why);
    ASSERT_NE(f, nullptr) << why;
    EXPECT_TRUE(plat_safewrite(f, "one ", 4, &why));
    EXPECT_EQ(readtext("s/log.txt"), "old");
    plat_safeabandon(f);
    EXPECT_EQ(entries("s"), std::vector<std::string>{"log.txt"});
    EXPECT_EQ(readtext("s/log.txt"), "old");

    // A failed write spoils the file for good: the commit refuses it.
    f = plat_safeopen("s\\log.txt", &why);
    ASSERT_NE(f, nullptr) << why;
    plat_safewritefailat(1);
    EXPECT_FALSE(plat_safewrite(f, "two ", 4, &why));
    plat_safewritefailat(0);
    EXPECT_FALSE(plat_safewrite(f, "three", 5, &why));
    EXPECT_FALSE(plat_safecommit(f, &why));
    EXPECT_NE(why.find("cannot write"), std::string::npos) << why;
    EXPECT_EQ(entries("s"), std::vector<std::string>{"log.txt"});
    EXPECT_EQ(readtext("s/log.txt"), "old");

    f = plat_safeopen("s\\log.txt", &why);
    ASSERT_NE(f, nullptr) << why;
    EXPECT_TRUE(plat_safewrite(f, "one ", 4, &why));
    EXPECT_TRUE(plat_safewrite(f, "two", 3, &why));
    EXPECT_TRUE(plat_safecommit(f, &why)) << why;
    EXPECT_EQ(readtext("s/log.txt"), "one two");
}

TEST(SafeWrite, BackupsTakeThePresentFilesInTheSameSet) {
    starttestplatform();
    put("items/items.raw", "old pictures");
    put("items/items.ra0", "older pictures");
    std::string pics = "new pictures", recs = "new records";
    std::vector<safepart> set = {{"items\\items.raw", pics.data(), pics.size()},
                                 {"items\\items.dat", recs.data(), recs.size()}};
    std::vector<std::vector<u8>> keep;
    std::string why;
    ASSERT_TRUE(plat_addbackups(&set, &keep, 1000, &why)) << why;
    // items.dat does not exist yet, so it has no backup to take.
    ASSERT_EQ(set.size(), 3u);
    EXPECT_EQ(set[2].gamepath, "items\\items.ra0");
    failateverystep([&](std::string* w) { return plat_safewriteset(set, w); },
                    [&] {
                        EXPECT_EQ(readtext("items/items.raw"), "old pictures");
                        EXPECT_EQ(readtext("items/items.ra0"), "older pictures");
                        EXPECT_FALSE(fs::exists("items/items.dat"));
                    });
    EXPECT_EQ(readtext("items/items.raw"), "new pictures");
    EXPECT_EQ(readtext("items/items.ra0"), "old pictures");
    EXPECT_EQ(readtext("items/items.dat"), "new records");

    // A present file that cannot be read stops the save before anything is written.
    put("items/big.raw", std::string(2000, 'x'));
    std::vector<safepart> big = {{"items\\big.raw", pics.data(), pics.size()}};
    EXPECT_FALSE(plat_addbackups(&big, &keep, 1000, &why));
    EXPECT_NE(why.find("big.ra0"), std::string::npos);
}
