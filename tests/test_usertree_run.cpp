// The game run as a player runs it, without --data: a shipped tree it only
// reads, the player's tree it writes, and the ways the player's tree can be
// missing or broken.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/stat.h>

#include "playrun.h"
#include "testenv.h"

namespace fs = std::filesystem;

namespace {

// Size, inode and modification time of every entry: a rewrite in place, a
// rename over a file and a new file all show.
std::map<std::string, std::string> stamps(const std::string& dir) {
    std::map<std::string, std::string> all;
    for (auto& e : fs::recursive_directory_iterator(dir)) {
        struct stat st;
        if (lstat(e.path().c_str(), &st) != 0) continue;
        all[e.path().string()] = std::to_string(st.st_size) + " " + std::to_string(st.st_ino) + " " +
                                 std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
    }
    return all;
}

// The map editor: a land tile on one cell, then leave and answer "Save map?".
const char* editandsave = "5 move 320 288\n10 ldown\n12 lup\n"
                          "60 move 40 408\n65 ldown\n67 lup\n"
                          "90 move 420 110\n95 ldown\n97 lup\n"
                          "130 key ESC\n160 key Y\n220 quit\n";
// The same without an edit: the map saved is the map the editor opened.
const char* openandsave = "5 move 320 288\n10 ldown\n12 lup\n"
                          "60 key ESC\n90 key Y\n150 quit\n";
const char* quitatonce = "5 move 320 240\n20 quit\n";

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct installed {
    std::string prefix, shipped, home, mine, from;
    explicit installed(const std::string& name) {
        prefix = freshprefix(name);
        shipped = prefix + "/share/vennor";
        home = prefix + "/home";
        mine = home + "/data/vennor";
        from = prefix + "/elsewhere";
        fs::create_directories(from);
    }
};

} // namespace

TEST(UserTreeRun, AnEditedMapIsSavedInThePlayersTreeAndTheShippedTreeIsUntouched) {
    installed g("treerun");
    auto before = stamps(g.shipped);
    run r = playinstalled(g.prefix, g.home, g.from, editandsave);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.log, "Content tree (read only): " + g.shipped + "\n")) << r.log.substr(0, 300);
    EXPECT_TRUE(has(r.log, "Player tree: " + g.mine + "\n")) << r.log.substr(0, 300);

    std::string shippedmap = readtext(g.shipped + "/maps/map0.dat");
    std::string edited = readtext(g.mine + "/maps/map0.dat");
    ASSERT_EQ(edited.size(), shippedmap.size());
    EXPECT_NE(edited, shippedmap) << "the tile was placed";
    EXPECT_EQ(readtext(g.mine + "/maps/map0.da0"), shippedmap) << "the backup holds the shipped bytes";
    for (const char* log : {"/text/debug.log", "/text/vsy.log", "/text/vss.log"}) EXPECT_TRUE(fs::exists(g.mine + log)) << log;
    EXPECT_EQ(stamps(g.shipped), before) << "not one file of the shipped tree written, renamed or added";
    EXPECT_TRUE(fs::is_empty(g.from)) << "nothing in the folder the game was started from";

    // The next run opens the player's map: saved unchanged, it is the edit,
    // and its backup is the edit too.
    r = playinstalled(g.prefix, g.home, g.from, openandsave);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readtext(g.mine + "/maps/map0.dat"), edited);
    EXPECT_EQ(readtext(g.mine + "/maps/map0.da0"), edited);
    EXPECT_EQ(stamps(g.shipped), before);
}

TEST(UserTreeRun, UserDirNamesThePlayersTreeForOneRunAndDataKeepsOneTree) {
    installed g("treeuserdir");
    run r = playinstalled(g.prefix, g.home, g.from, quitatonce, "--user-dir mine");
    ASSERT_EQ(r.status, 0) << r.err;
    std::string log = readtext(g.from + "/mine/text/debug.log");
    EXPECT_TRUE(has(log, "Player tree: " + g.from + "/mine\n")) << log.substr(0, 300);
    EXPECT_FALSE(fs::exists(g.home + "/data")) << "the default tree is left alone";

    std::string data = freshdata("treeonedata");
    auto before = stamps(g.shipped);
    r = playinstalled(g.prefix, g.home, g.from, quitatonce, "--data " + data);
    ASSERT_EQ(r.status, 0) << r.err;
    log = readtext(data + "/text/debug.log");
    EXPECT_TRUE(has(log, "One tree (--data), read and written; no player's tree\n")) << log.substr(0, 300);
    EXPECT_FALSE(fs::exists(g.home + "/data"));
    EXPECT_EQ(stamps(g.shipped), before);

    r = playinstalled(g.prefix, g.home, g.from, quitatonce, "--data " + data + " --user-dir mine");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(has(r.err, "--data and --user-dir cannot both be given")) << r.err;
}

// As root no permission stops a write, so the broken trees are a file where
// the folder should be and a folder under /proc.
TEST(UserTreeRun, APlayersTreeThatCannotBeWrittenIsSaidAndTheGameStillRuns) {
    installed g("treebroken");
    fs::create_directories(g.home);
    std::string blocker = g.home + "/blocker";
    std::ofstream(blocker) << "in the way";
    for (std::string broken : {blocker, blocker + "/vennor", std::string("/proc/vennor-test/vennor")}) {
        SCOPED_TRACE(broken);
        auto before = stamps(g.prefix);
        run r = playinstalled(g.prefix, g.home, g.from, editandsave, "--user-dir " + broken);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(has(r.err, "vennor: Player's folder cannot be written: ")) << r.err;
        EXPECT_TRUE(has(r.err, broken)) << r.err;
        EXPECT_EQ(readtext(blocker), "in the way");
        auto after = stamps(g.prefix);
        after.erase(g.home + ".script");
        after.erase(g.home + ".script.err");
        before.erase(g.home + ".script");
        before.erase(g.home + ".script.err");
        EXPECT_EQ(after, before) << "nothing written anywhere else instead";
    }
}

TEST(UserTreeRun, AMissingContentTreeIsOneMessageAndStatusThree) {
    installed g("treemissing");
    std::string gone = g.prefix + "/no-such-tree";
    run r = playinstalled(g.prefix, g.home, g.from, quitatonce, "--data " + gone);
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(has(r.err, gone)) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_FALSE(fs::exists(g.home + "/data"));
}

// A full disk passes every folder test and fails the first byte. It needs a
// file system of its own, so the test runs only where it may mount one.
TEST(UserTreeRun, APlayersTreeOnAFullDiskIsSaidAndTheGameStillRuns) {
    installed g("treefull");
    std::string disk = g.prefix + "/disk";
    fs::create_directories(disk);
    if (std::system(("mount -t tmpfs -o size=16k tmpfs " + disk + " 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "cannot mount a small file system here";
    fs::create_directories(disk + "/vennor");
    std::system(("dd if=/dev/zero of=" + disk + "/filler bs=4k count=100 2>/dev/null").c_str());
    run r = playinstalled(g.prefix, g.home, g.from, editandsave, "--user-dir " + disk + "/vennor");
    std::string debuglog = disk + "/vennor/text/debug.log";
    bool logthere = fs::exists(debuglog);
    std::system(("umount " + disk).c_str());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.err, "vennor: Player's folder cannot be written: ")) << r.err;
    EXPECT_TRUE(has(r.err, disk + "/vennor: No space left on device")) << r.err;
    EXPECT_FALSE(logthere) << "the log is not started in a tree that takes no bytes";
    EXPECT_TRUE(fs::is_empty(g.from));
}
