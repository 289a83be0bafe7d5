// The shipped tree and the player's tree inside one process: where reads
// look, where writes go, backups, listings, and a player's tree that cannot
// be written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "editor/filedialog.h"
#include "platform/backend.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/safewrite.h"
#include "platform/usertree.h"
#include "testenv.h"

namespace fs = std::filesystem;

namespace {

void put(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string got(const char* gamepath) {
    std::vector<u8> b;
    if (!plat_readfile(gamepath, &b, 1 << 20)) return "<unread>";
    return std::string(b.begin(), b.end());
}

// Every file below dir with its bytes, for "nothing here changed".
std::map<std::string, std::string> snapshot(const std::string& dir) {
    std::map<std::string, std::string> all;
    for (auto& e : fs::recursive_directory_iterator(dir))
        all[e.path().string()] = e.is_regular_file() ? readtext(e.path().string()) : "<folder>";
    return all;
}

class UserTree : public ::testing::Test {
protected:
    std::string shipped, mine;
    void SetUp() override {
        starttestplatform();
        shipped = testdatadir() + "/shipped";
        mine = testdatadir() + "/home/.local/share/vennor";
        put(shipped + "/Maps/Map0.dat", "shipped map");
        put(shipped + "/terrain/grass.bmp", "g");
        put(shipped + "/terrain/Sand.bmp", "s");
        put(shipped + "/text/readme.txt", "t");
    }
    void TearDown() override { plat_setonetree(testdatadir()); }
};

} // namespace

TEST_F(UserTree, ReadsPreferThePlayersFileAndWritesGoOnlyToThePlayersTree) {
    plat_settwotrees(shipped, mine);
    ASSERT_EQ(plat_usertreeproblem(), "");
    EXPECT_TRUE(fs::is_directory(mine)) << "made with its parents";
    EXPECT_EQ(got("maps\\MAP0.DAT"), "shipped map") << "nothing of the player's yet";
    auto before = snapshot(shipped);

    ASSERT_TRUE(plat_writefile("maps\\map0.dat", "mine", 4));
    EXPECT_EQ(readtext(mine + "/Maps/Map0.dat"), "mine") << "the shipped spelling of folder and file";
    EXPECT_EQ(got("maps\\map0.dat"), "mine");
    EXPECT_EQ(got("MAPS\\Map0.Dat"), "mine") << "names matched ignoring case in the player's tree too";

    platfile* f = plat_fcreate("text\\debug.log");
    ASSERT_NE(f, nullptr);
    plat_fwrite(f, "log", 3);
    plat_fclose(f);
    EXPECT_EQ(readtext(mine + "/text/debug.log"), "log");
    EXPECT_TRUE(plat_makedir("shots"));
    EXPECT_TRUE(fs::is_directory(mine + "/shots"));
    EXPECT_TRUE(plat_makedir("saves"));
    EXPECT_EQ(plat_fopenupdate("text\\readme.txt"), nullptr) << "a shipped file is never opened for writing";
    std::string why;
    ASSERT_TRUE(plat_safewritefile("new\\deep\\file.bin", "x", 1, &why)) << why;
    EXPECT_TRUE(fs::exists(mine + "/new/deep/file.bin"));
    EXPECT_TRUE(plat_fileexists("new\\deep\\file.bin"));
    EXPECT_TRUE(plat_fileexists("terrain\\grass.bmp"));
    EXPECT_FALSE(plat_fileexists("terrain\\none.bmp"));

    EXPECT_EQ(snapshot(shipped), before) << "the shipped tree is only read";
}

TEST_F(UserTree, ABackupIsTheFileAsItWasWhereverItWasRead) {
    plat_settwotrees(shipped, mine);
    auto save = [](const std::string& text) {
        std::vector<safepart> set = {{"maps\\map0.dat", text.data(), text.size()}};
        std::vector<std::vector<u8>> keep;
        std::string why;
        EXPECT_TRUE(plat_addbackups(&set, &keep, 1 << 20, &why)) << why;
        EXPECT_TRUE(plat_safewriteset(set, &why)) << why;
    };
    save("first edit");
    EXPECT_EQ(readtext(mine + "/Maps/map0.da0"), "shipped map");
    EXPECT_EQ(readtext(shipped + "/Maps/Map0.dat"), "shipped map");
    EXPECT_FALSE(fs::exists(shipped + "/Maps/map0.da0"));
    save("second edit");
    EXPECT_EQ(readtext(mine + "/Maps/map0.da0"), "first edit") << "the player's own earlier file";
    EXPECT_EQ(readtext(mine + "/Maps/Map0.dat"), "second edit");
}

TEST_F(UserTree, ListingsMergeBothTreesOnceEach) {
    plat_settwotrees(shipped, mine);
    put(mine + "/terrain/sand.bmp", "mine");
    put(mine + "/terrain/own.bmp", "o");
    put(mine + "/terrain/note.txt", "n");
    EXPECT_EQ(plat_listdir("Terrain", "*.BMP"), (std::vector<std::string>{"grass.bmp", "own.bmp", "sand.bmp"}))
        << "the player's spelling of a name both trees hold";
    EXPECT_EQ(got("terrain\\SAND.bmp"), "mine");
    fs::remove_all(mine + "/terrain");
    EXPECT_EQ(plat_listdir("terrain", "*.bmp"), (std::vector<std::string>{"Sand.bmp", "grass.bmp"}))
        << "a folder the player lacks is the shipped one";

    // One tree lists that tree alone, as it always did.
    plat_setonetree(testdatadir());
    fs::current_path(shipped);
    EXPECT_EQ(plat_listdir("terrain", "*.bmp"), (std::vector<std::string>{"Sand.bmp", "grass.bmp"}));
    fs::current_path(testdatadir());
}

TEST_F(UserTree, TheFileDialogShowsBothTreesInOneFolder) {
    plat_settwotrees(shipped, mine);
    put(mine + "/terrain/own.bmp", "o");
    put(mine + "/terrain/Grass.bmp", "G");
    std::string other;
    ASSERT_TRUE(plat_othertree(shipped + "/terrain", &other));
    EXPECT_EQ(other, mine + "/terrain");
    ASSERT_TRUE(plat_othertree(mine + "/terrain", &other));
    EXPECT_EQ(other, shipped + "/terrain");
    EXPECT_TRUE(plat_othertree(mine, &other));
    EXPECT_EQ(other, shipped);
    EXPECT_FALSE(plat_othertree(shipped + "/maps", &other) && other == shipped + "/maps")
        << "the player has no maps folder";
    EXPECT_FALSE(plat_othertree("/usr", &other));

    filelisting a, b;
    ASSERT_TRUE(listfiledir(shipped + "/terrain", "*.bmp", &a));
    ASSERT_TRUE(listfiledir(mine + "/terrain", "*.bmp", &b));
    mergefilelisting(&a, b);
    EXPECT_EQ(a.files, (std::vector<std::string>{"grass.bmp", "own.bmp", "Sand.bmp"}));
    EXPECT_EQ(a.dirs, (std::vector<std::string>{".."}));

    std::vector<std::string> names, paths;
    fileplaces(&names, &paths);
    ASSERT_GE(paths.size(), 3u);
    EXPECT_EQ(paths[0], shipped);
    EXPECT_EQ(paths[1], mine);
    EXPECT_EQ(paths.back(), "/");
}

TEST_F(UserTree, ThePlayersTreeComesFromXdgDataHomeOrTheHomeFolder) {
    const char* keptxdg = std::getenv("XDG_DATA_HOME");
    const char* kepthome = std::getenv("HOME");
    std::string xdg = keptxdg ? keptxdg : "", home = kepthome ? kepthome : "";
    setenv("XDG_DATA_HOME", "/somewhere/data", 1);
    EXPECT_EQ(plat_defaultusertree(), "/somewhere/data/vennor");
    setenv("XDG_DATA_HOME", "relative/data", 1);
    setenv("HOME", "/home/player", 1);
    EXPECT_EQ(plat_defaultusertree(), "/home/player/.local/share/vennor") << "a relative value counts as unset";
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(plat_defaultusertree(), "/home/player/.local/share/vennor");
    if (keptxdg) setenv("XDG_DATA_HOME", xdg.c_str(), 1);
    if (kepthome) setenv("HOME", home.c_str(), 1);
    else unsetenv("HOME");
}

// Root passes every permission check, so the broken trees here are ones no
// permission makes writable: a file where the folder should be, and /proc.
TEST_F(UserTree, APlayersTreeThatCannotBeWrittenIsToldAndNothingGoesElsewhere) {
    std::string blocker = testdatadir() + "/blocked";
    put(blocker, "a file, not a folder");
    for (std::string broken : {blocker, blocker + "/vennor", std::string("/proc/vennor-test/vennor")}) {
        SCOPED_TRACE(broken);
        auto before = snapshot(testdatadir());
        plat_settwotrees(shipped, broken);
        ASSERT_NE(plat_usertreeproblem(), "");
        EXPECT_NE(plat_usertreeproblem().find(broken), std::string::npos) << plat_usertreeproblem();
        boxes.clear();
        plat_tellusertree();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].text.find(plat_usertreeproblem()), std::string::npos);

        std::string why;
        EXPECT_FALSE(plat_safewritefile("maps\\map0.dat", "lost", 4, &why));
        EXPECT_NE(why.find(broken), std::string::npos) << why;
        EXPECT_EQ(plat_fcreate("text\\debug.log"), nullptr);
        EXPECT_FALSE(plat_makedir("shots"));
        EXPECT_EQ(got("maps\\map0.dat"), "shipped map") << "the game still reads what shipped";
        EXPECT_EQ(snapshot(testdatadir()), before) << "not the shipped tree, nor the working folder";
    }
    plat_settwotrees(shipped, mine);
    boxes.clear();
    plat_tellusertree();
    EXPECT_TRUE(boxes.empty()) << "a good tree says nothing";
}

TEST_F(UserTree, AScreenshotGoesIntoThePlayersShots) {
    starttestdisplay();
    shipped = testdatadir();
    mine = testdatadir() + "/../" + fs::path(testdatadir()).filename().string() + "-mine";
    fs::remove_all(mine);
    plat_settwotrees(shipped, mine);
    plat_savenumberedshot();
    plat_savenumberedshot();
    EXPECT_TRUE(fs::exists(mine + "/shots/shot0000.png"));
    EXPECT_TRUE(fs::exists(mine + "/shots/shot0001.png"));
    EXPECT_FALSE(fs::exists(shipped + "/shots"));
    fs::remove_all(mine);
}
